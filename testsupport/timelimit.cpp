// A watchdog for code that might never return: a thread that waits for the
// holder to end and otherwise fails the running test and ends the program.
#include "testsupport/testsupport.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>

namespace {

struct Watch {
    HANDLE done;
    DWORD milliseconds;
    std::string test;
};

DWORD WINAPI WatchThread(void* param)
{
    std::unique_ptr<Watch> watch(static_cast<Watch*>(param));
    if (WaitForSingleObject(watch->done, watch->milliseconds) != WAIT_OBJECT_0) {
        fprintf(stderr, "[  FAILED  ] %s: still running after %lu s, ended by its time limit\n",
                watch->test.c_str(), static_cast<unsigned long>(watch->milliseconds / 1000));
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

std::string RunningTest()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
}

}  // namespace

TsTimeLimit::TsTimeLimit(int seconds) : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    auto* watch = new Watch{done_, DWORD(seconds) * 1000, RunningTest()};
    watchdog_ = CreateThread(nullptr, 0, WatchThread, watch, 0, nullptr);
}

TsTimeLimit::~TsTimeLimit()
{
    SetEvent(done_);
    WaitForSingleObject(watchdog_, INFINITE);
    CloseHandle(watchdog_);
    CloseHandle(done_);
}
