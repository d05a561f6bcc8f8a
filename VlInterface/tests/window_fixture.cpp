// The running-shell test fixture (see window_fixture.h).
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/app.h"
#include "support/paths.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The settings root of a program without a version block (the edition's own).
const std::string kProgramRoot = std::string("Software\\Velmo\\") + kApplication + "\\Any version";
constexpr short kAttStamps = 7701;
constexpr int kFileNameCombo = 0x47C;   // cmb13 of the file dialogs
constexpr int kFileNameEdit = 0x480;    // edt1 of the file dialogs

std::string KeyOf(const char* section)
{
    return std::string(kProgramRoot) + "\\" + section;
}

void DrainQuit()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

} // namespace

void ShellWindowTest::SetUp()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgramRoot.c_str());
    HKEY machine = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProgramRoot.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &machine, nullptr);
    RegCloseKey(machine);
    PresetInt("General", "DontShowAboutHelpOnStart", 1);
    App_Init(GetModuleHandleA(nullptr));
    Shell() = ShellGlobals{};
    OpenTexts();
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '_');   // parameterised tests
    folder_ = std::string(temp) + "vlintfc_" + std::to_string(GetCurrentProcessId()) + "_" + test;
    CreateDirectoryA(folder_.c_str(), nullptr);
}

void ShellWindowTest::TearDown()
{
    Stop();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    while (search != INVALID_HANDLE_VALUE) {
        std::string file = folder_ + "\\" + found.cFileName;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
        if (!FindNextFileA(search, &found))
            break;
    }
    FindClose(search);
    RemoveDirectoryA(folder_.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgramRoot.c_str());
}

void ShellWindowTest::Stop()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    window_ = nullptr;
    DrainQuit();
    Startup_Shutdown();
    UnregisterClassW(kMainClass, App().instance);
}

void ShellWindowTest::Restart(const char* commandLine)
{
    Stop();
    OpenTexts();
    Start(commandLine);
}

void ShellWindowTest::OpenTexts()
{
    const std::string bin = Path_ModuleFolder(GetModuleHandleA("Lexmo100.dll"));
    Shell().textHandle = TextAPI_Open((bin + "TextAPI.db").c_str(), (bin + "TextAPI.ddq").c_str());
    Shell().techDb = VlDataTechDb_Handle();
    Shell().otherInsulationDb = VlOtherInsulationDataTechDb_Handle();
    Shell().weatherDb = VlWeatherDataTechDb_Handle();
    Lookup_SetHandles(Shell().techDb, Shell().otherInsulationDb, Shell().textHandle);
}

void ShellWindowTest::PresetInt(const char* section, const char* name, DWORD value)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, KeyOf(section).c_str(), name, REG_DWORD, &value, sizeof(value));
}

void ShellWindowTest::PresetString(const char* section, const char* name, const std::string& value)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, KeyOf(section).c_str(), name, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

std::string ShellWindowTest::StoredString(const char* section, const char* name)
{
    char value[1024] = {};
    DWORD size = sizeof(value) - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, KeyOf(section).c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

void ShellWindowTest::Start(const char* commandLine)
{
    ASSERT_EQ(Startup_Init(), 0);
    window_ = Startup_CreateMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(Startup_AfterCreate(commandLine), 0);
}

std::string ShellWindowTest::TempPath(const char* name) const
{
    return folder_ + "\\" + name;
}

void ShellWindowTest::MakeProjectFile(const std::string& path)
{
    ASSERT_EQ(Kadmi_CreateDatabasefile(path.c_str()), 0);
    Kadmi_LoadPage(Kadmi_IthPage(0));
    for (int i = 0; i < 3; ++i)
        Kadmi_SetIntAtt(Kadmi_CreatePart(), 1133, 1);
    Kadmi_SetStringAtt(0, 1535, "Steam line");
    Kadmi_SavePage();
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    ASSERT_EQ(Kadmi_CloseDatabasefile(0), 0);
}

void ShellWindowTest::ForEachNewSystem(const std::function<void()>& check)
{
    const struct {
        const char* name;
        UINT command;
        bool fresh;   // the loaded system is a new one
    } steps[] = {{"new system", IDM_SYSTEM_NEW, true}, {"the new one deleted", IDM_SYSTEM_DELETE, false},
                 {"the only one replaced", IDM_SYSTEM_DELETE, true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        ScriptedBoxes question({{IDYES, ""}});
        SendMessageA(window(), WM_COMMAND, step.command, 0);
        EXPECT_EQ(question.answered(), 1u);
        if (step.fresh)
            check();
    }
}

void ShellWindowTest::MakePipeProjectFile(const std::string& path, short geometry)
{
    MakeProjectFile(path);
    ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
    Kadmi_LoadPage(Kadmi_IthPage(0));
    Kadmi_SetIntAtt(0, 1117, geometry);
    const float diameters[2] = {114.3f, 500.0f};
    Kadmi_SetAtt(0, 1312, 2, diameters);
    Kadmi_SetFloatAtt(0, 1313, 400);
    Kadmi_SetFloatAtt(0, 1314, 200);
    Kadmi_SetFloatAtt(0, 1315, 150);
    Kadmi_SetFloatAtt(0, 1316, 20);
    Kadmi_SetFloatAtt(0, 1317, 50);
    Kadmi_SetFloatAtt(0, 1384, 50);   // the extended edition's target humidity
    Kadmi_SetFloatAtt(0, 1318, 0);
    Kadmi_SetIntAtt(0, 1120, 1);
    Kadmi_SetIntAtt(0, 1119, 0);
    Kadmi_SetStringAtt(0, 1528, "-200");
    const float economic[5] = {2, 20, 40, 8000, 5};
    for (short i = 0; i < 5; ++i)
        Kadmi_SetFloatAtt(0, short(1359 + i), economic[i]);
    Kadmi_SavePage();
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    Kadmi_CloseDatabasefile(0);
}

void ShellWindowTest::ChooseItem(HWND dialog, int id, const char* text)
{
    HWND combo = GetDlgItem(dialog, id);
    LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(text));
    ASSERT_NE(index, CB_ERR) << text;
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ShellWindowTest::ClickButton(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ShellWindowTest::ChooseSystem(int index) const
{
    HWND selector = GetDlgItem(window_, IDC_SYSTEM_COMBO);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(selector, &info));
    SendMessageA(selector, CB_SETCURSEL, index, 0);
    SendMessageA(selector, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(info.hwndList), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(info.hwndList));
}

void ShellWindowTest::MakeProjectUnsaved()
{
    Kadmi_MarkAccess(-1, "PCHG");
    short count = 0;
    auto* stamps = static_cast<AccessEntry*>(Kadmi_GetAtt(-1, kAttStamps, &count, nullptr, 0));
    std::vector<AccessEntry> entries(stamps, stamps + (stamps ? count : 0));
    Kadmi_ReleaseAtt(stamps);
    for (AccessEntry& entry : entries) {
        if (std::memcmp(entry.mark, "SAVE", 4) == 0)
            entry.date = 19900101;   // saved long before the change
    }
    Kadmi_SetAtt(-1, kAttStamps, count, entries.data());
}

bool ShellWindowTest::ProjectUnsaved()
{
    return Project_IsUnsaved();
}

bool ShellWindowTest::MenuEnabled(UINT id) const
{
    UINT state = GetMenuState(GetMenu(window_), id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool ShellWindowTest::ButtonEnabled(UINT id) const
{
    return SendMessageA(GetDlgItem(window_, IDC_TOOLBAR), TB_ISBUTTONENABLED, id, 0) != 0;
}

bool ShellWindowTest::SelectorEnabled() const
{
    return IsWindowEnabled(GetDlgItem(window_, IDC_SYSTEM_COMBO)) != FALSE;
}

// The push button that Enter presses: the one styled as the default.
static int DefaultButton(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof(name));
        if (lstrcmpiA(name, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return GetDlgCtrlID(child);
    }
    return 0;
}

ScriptedBoxes::ScriptedBoxes(std::vector<BoxAnswer> answers) : answers_(std::move(answers))
{
    // The answerer's own button (0) does nothing: each box is pressed here.
    answerer_ = std::make_unique<TsBoxAnswerer>(0, nullptr, [this](HWND box) {
        captions.push_back(Ts_WindowText(box));
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child && text.empty(); child = GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = {};
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpiA(name, "Static") == 0)
                text = Ts_WindowText(child);
        }
        texts.push_back(text);
        offeredNames.push_back(GetDlgItem(box, kFileNameCombo) ? Ts_ControlText(box, kFileNameCombo) : "");
        defaultButtons.push_back(DefaultButton(box));
        BoxAnswer answer = next_ < answers_.size() ? answers_[next_] : BoxAnswer{IDCANCEL, ""};
        if (next_++ >= answers_.size())
            ++unexpected;
        if (!answer.fileName.empty()) {
            Dlg_SetItemText(box, kFileNameCombo, answer.fileName.c_str());
            Dlg_SetItemText(box, kFileNameEdit, answer.fileName.c_str());
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer.button)));
    });
}

ScriptedBoxes::~ScriptedBoxes() = default;
