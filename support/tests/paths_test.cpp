// Paths: the directory of a path with either separator, and files beside the
// module.
#include <gtest/gtest.h>
#include <string>
#include "support/app.h"
#include "support/paths.h"

namespace {

struct DirectoryCase {
    const char* name;
    std::string path;
    std::string expected;
};

const DirectoryCase kDirectoryCases[] = {
    {"backslash", "C:\\dir\\file.txt", "C:\\dir"},
    {"slash", "C:/dir/file.txt", "C:/dir"},
    {"mixed_last_wins", "C:\\a/b\\c/file", "C:\\a/b\\c"},
    {"no_separator", "file.txt", ""},
    {"empty", "", ""},
    {"only_first_398_bytes", "C:\\" + std::string(390, 'a') + "\\" + std::string(20, 'b') + "\\f",
     "C:\\" + std::string(390, 'a')},
};

class Directory : public testing::TestWithParam<DirectoryCase> {};

TEST_P(Directory, CutAtTheLastSeparator)
{
    char out[kDirectorySize];
    Path_GetDirectory(out, GetParam().path.c_str());
    EXPECT_EQ(std::string(out), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, Directory, testing::ValuesIn(kDirectoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::string OwnDirectory()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self);
    return path.substr(0, path.find_last_of("\\/") + 1);
}

TEST(BesideModule, TextFilesInTheModuleDirectory)
{
    App_Init(GetModuleHandleA(nullptr));
    char db[kPathSize], ddq[kPathSize];
    Path_TextFiles(db, ddq);
    EXPECT_EQ(std::string(db), OwnDirectory() + "TextAPI.db");
    EXPECT_EQ(std::string(ddq), OwnDirectory() + "TextAPI.ddq");
}

TEST(BesideModule, RemembersTheHelpFile)
{
    App_Init(GetModuleHandleA(nullptr));
    char help[kPathSize];
    Path_BesideModule(help, "Varmelin.hlp");
    EXPECT_EQ(std::string(help), OwnDirectory() + "Varmelin.hlp");
    EXPECT_EQ(App().helpFile, help);
}

TEST(FileExists, OnlyFilesCount)
{
    App_Init(GetModuleHandleA(nullptr));
    std::string folder = Path_ModuleFolder(nullptr);
    ASSERT_EQ(folder, OwnDirectory());
    struct Row { const char* name; std::string path; bool exists; } rows[] = {
        {"this program", Path_ModuleFile(nullptr), true},
        {"its folder", folder.substr(0, folder.size() - 1), false},
        {"missing", folder + "no such file", false},
        {"empty", "", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Path_FileExists(r.path.c_str()), r.exists) << r.name;
}

}  // namespace
