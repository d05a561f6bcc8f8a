// What the shell's tests share: the shell's globals set up in this test
// program (its own instance, the language texts of build/bin, a settings root
// of its own that each test starts empty).
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes "Recent File List\File<i>" (1-based).
    static void SetRecent(int i, const std::string& name);
    static std::string Recent(int i);
};
