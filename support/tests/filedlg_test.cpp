// The file dialogs driven as a user would: cancelled, and a file chosen
// by typing its name.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <cstring>
#include <string>
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/filedlg.h"
#include "support/paths.h"
#include "testsupport/testsupport.h"

namespace {

constexpr char kFilter[] = "Projects (*.WDF)|*.WDF|All files (*.*)|*.*|";

class FileDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        App_Init(GetModuleHandleA(nullptr));
        std::strcpy(directory_, "C:\\");
        std::strcpy(result_, "unchanged");
    }

    char directory_[kDirectorySize];
    char result_[kFileDlgPathSize];
};

TEST_F(FileDlgTest, CancelledOpenChangesNothing)
{
    TsBoxAnswerer answer(IDCANCEL);
    EXPECT_EQ(FileDlg_Open(nullptr, kFilter, directory_, result_, "Open project", false), 0);
    ASSERT_EQ(answer.boxes().size(), 1u) << "no dialog was shown";
    EXPECT_EQ(answer.boxes()[0].caption, "Open project");
    EXPECT_STREQ(result_, "unchanged");
    EXPECT_STREQ(directory_, "C:\\");
}

TEST_F(FileDlgTest, CancelledSaveWithHelpRegistersTheHelpMessage)
{
    TsBoxAnswerer answer(IDCANCEL);
    EXPECT_EQ(FileDlg_Save(nullptr, kFilter, directory_, result_, "Save project as", true), 0);
    ASSERT_EQ(answer.boxes().size(), 1u);
    EXPECT_EQ(answer.boxes()[0].caption, "Save project as");
    EXPECT_EQ(App().commdlgHelpMessage, RegisterWindowMessageA("commdlg_help"));
}

TEST_F(FileDlgTest, ChosenFileGivesItsPathAndDirectory)
{
    char folder[MAX_PATH], file[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    ASSERT_NE(GetTempFileNameA(folder, "vlt", 0, file), 0u);  // creates the file
    TsBoxAnswerer answer(IDOK, nullptr, [&file](HWND box) { Dlg_SetItemText(box, cmb13, file); });
    EXPECT_EQ(FileDlg_Open(nullptr, kFilter, directory_, result_, "Open project", false), 1);
    DeleteFileA(file);
    EXPECT_STRCASEEQ(result_, file);
    std::string expected(file);
    expected.erase(expected.find_last_of('\\'));
    EXPECT_STRCASEEQ(directory_, expected.c_str());
}

}  // namespace
