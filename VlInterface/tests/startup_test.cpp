// Start-up and shutdown: the defaults of an empty registry, a stored
// language, a project named on the command line, the command line's parsing,
// and what shutdown leaves behind.
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "testsupport/testsupport.h"
#include <fstream>
#include <sstream>

namespace {

std::string WindowText(HWND window)
{
    return Ts_WindowText(window);
}

std::string Quoted(const std::string& path)
{
    std::string line = "\"";
    line += path;
    line += '"';
    return line;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class StartupTest : public ShellWindowTest {};

TEST_F(StartupTest, EmptyRegistryStartsInEnglishWithTheTemporaryProject)
{
    Start();
    EXPECT_EQ(TextAPI_GetLanguage(Shell().textHandle), kDefaultLanguage);
    EXPECT_TRUE(EndsWith(Shell().helpPath, "\\Varmelin_en.hlp")) << Shell().helpPath;
    EXPECT_EQ(WindowText(window()), std::string(Shell().title) + " - Noname");
    EXPECT_EQ(std::string(App().currentFile), "Noname");
    std::string temp = Shell().tempFile;
    EXPECT_NE(temp.find("NON"), std::string::npos);
    EXPECT_NE(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Shell_HasLayerParts());
    EXPECT_NE(Shell().accelerators, nullptr);
}

TEST_F(StartupTest, StoredLanguageSelectsTextsAndHelpFile)
{
    struct Case {
        const char* name;
        DWORD stored;
        int language;
        const char* helpFile;
    } const cases[] = {
        {"Finnish", 1514, 1514, "\\Varmelin_fi.hlp"},
        {"below 1500 means English", 1499, 1512, "\\Varmelin_en.hlp"},
        {"only the low 16 bits count", 0x10000 + 1524, 1524, "\\Varmelin_sv.hlp"},
    };
    for (const Case& c : cases) {
        PresetInt("General", "InterfaceLng", c.stored);
        ASSERT_EQ(Startup_Init(), 0) << c.name;
        EXPECT_EQ(TextAPI_GetLanguage(Shell().textHandle), c.language) << c.name;
        EXPECT_TRUE(EndsWith(Shell().helpPath, c.helpFile)) << c.name << ": " << Shell().helpPath;
        Startup_Shutdown();
        UnregisterClassW(kMainClass, App().instance);
        OpenTexts();
    }
}

TEST_F(StartupTest, CommandLineFileOpensLikeTheOpenCommand)
{
    std::string file = TempPath("Plant A.WDF");
    MakeProjectFile(file);
    Start(Quoted(file).c_str());
    EXPECT_EQ(std::string(App().currentFile), file);
    EXPECT_EQ(WindowText(window()), std::string(Shell().title) + " - " + file);
    EXPECT_TRUE(Shell_HasLayerParts());   // taken as Open takes them
    EXPECT_TRUE(MenuEnabled(IDM_FILE_SAVE));
    EXPECT_TRUE(ButtonEnabled(IDM_FILE_SAVE));
    EXPECT_TRUE(SelectorEnabled());
    EXPECT_EQ(Ts_ComboSelectedText(window(), IDC_SYSTEM_COMBO), "1: Steam line");
    EXPECT_EQ(StoredString("Recent File List", "File1"), file);
}

TEST_F(StartupTest, CommandLineFileThatCannotBeOpenedIsNamedWithTheReason)
{
    std::string project = TempPath("plant.WDF");
    MakeProjectFile(project);
    std::string folder = TempPath("");
    std::string long258 = folder + std::string(258 - folder.size() - 4, 'n') + ".WDF";
    ASSERT_TRUE(CopyFileA(project.c_str(), long258.c_str(), FALSE));
    std::string damaged = TempPath("damaged.WDF");
    std::ofstream(damaged) << "not a project";
    std::string empty = TempPath("empty.WDF");
    std::ofstream{empty};
    struct Row {
        const char* name;
        std::string file;
        uint16_t reason;
    } const rows[] = {
        {"missing", TempPath("gone.WDF"), Text_FileMissing},
        {"a folder", folder.substr(0, folder.size() - 1), Text_FileMissing},
        {"not a project", damaged, Text_FileDamaged},
        {"empty", empty, Text_FileDamaged},
        {"258 characters, a project", long258, Text_NameTooLong},
        {"300 characters", folder + std::string(300, 'x') + ".WDF", Text_NameTooLong},
    };
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedBoxes boxes({{IDOK, ""}});
        Restart(Quoted(row.file).c_str());
        ASSERT_EQ(boxes.texts.size(), 1u);
        // The name in lines narrow enough for the screen, a blank line, the reason.
        std::string text = boxes.texts[0], name = text.substr(0, text.find("\n\n"));
        std::istringstream lines(name);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 120u);
        std::erase(name, '\n');
        EXPECT_EQ(name, row.file);
        EXPECT_EQ(text.substr(text.find("\n\n")), "\n\n" + std::string(Shell_Text(row.reason)));
        EXPECT_EQ(std::string(App().currentFile), "Noname");
        EXPECT_EQ(WindowText(window()), std::string(Shell().title) + " - Noname");
    }
}

TEST(CommandLine, NamesOneFileResolvedAgainstTheStartDirectory)
{
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    std::string here = std::string(cwd) + (cwd[strlen(cwd) - 1] == '\\' ? "" : "\\");
    struct Case {
        const char* name;
        std::string line;
        std::string file;
    } const cases[] = {
        {"quoted path loses its quotes", "\"C:\\My Projects\\a.WDF\"", "C:\\My Projects\\a.WDF"},
        {"unquoted path is taken whole, blanks included", "C:\\My Projects\\a.WDF", "C:\\My Projects\\a.WDF"},
        {"surrounding blanks go", "  \"C:\\a.WDF\"  ", "C:\\a.WDF"},
        {"quote without its end", "\"C:\\a.WDF", "C:\\a.WDF"},
        {"relative name", "plant.WDF", here + "plant.WDF"},
        {"empty line", "", ""},
        {"only quotes", "\"\"", ""},
        {"too long for a path, kept to be reported", "C:\\" + std::string(400, 'x'), "C:\\" + std::string(400, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Startup_CommandLineFile(c.line.c_str()), c.file) << c.name;
    EXPECT_EQ(Startup_CommandLineFile(nullptr), "");
}

TEST_F(StartupTest, ShutdownRemovesTemporaryFilesAndKeepsTheDirectory)
{
    Start();
    std::string temp = Shell().tempFile;
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    DestroyWindow(window());
    Startup_Shutdown();
    EXPECT_EQ(GetFileAttributesA(temp.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(StoredString("Directories", "ProjectDirectory"), cwd);
}

TEST_F(StartupTest, StoredProjectDirectoryBecomesTheWorkingDirectory)
{
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof(before), before);
    std::string folder = TempPath("");
    folder.pop_back();
    PresetString("Directories", "ProjectDirectory", folder);
    Start();
    char now[MAX_PATH];
    GetCurrentDirectoryA(sizeof(now), now);
    EXPECT_EQ(lstrcmpiA(now, folder.c_str()), 0) << now;
    SetCurrentDirectoryA(before);
}

} // namespace
