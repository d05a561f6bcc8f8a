// The registry settings store against the real registry: round trips of every
// type, the machine-wide fallback, text lengths at the buffer limits, the
// string ring, window placements, and that nothing is ever written to the
// machine root. Uses a test-only version key under both roots.
#include <gtest/gtest.h>
#include "support/memory.h"
#include "support/settings.h"
#include <cstring>
#include <string>

namespace {

constexpr char TestVersion[] = "settings-test";
constexpr char RootPath[] = "Software\\Velmo\\Varmelin\\settings-test";

void DeleteTree(HKEY root)
{
    RegDeleteTreeA(root, RootPath);
    RegDeleteKeyA(root, RootPath);
}

// Writes a value straight into the machine tree, as an administrator would.
void SetMachineValue(const char* subkey, const char* name, DWORD type, const void* data, DWORD size)
{
    std::string path = std::string(RootPath) + "\\" + subkey;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void SetMachineString(const char* subkey, const char* name, const char* text)
{
    SetMachineValue(subkey, name, REG_SZ, text, static_cast<DWORD>(strlen(text)));
}

// Every value name and subkey below a registry key, as one text.
std::string DescribeTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    std::string result;
    char name[300];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        result += path + "=" + name + ";";
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        result += DescribeTree(root, path + "\\" + name);
    }
    RegCloseKey(key);
    return result;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings_CloseRoot();
        DeleteTree(HKEY_CURRENT_USER);
        DeleteTree(HKEY_LOCAL_MACHINE);
        SetMachineString("Defaults", "Unused", "x");   // the machine root exists
    }
    void TearDown() override
    {
        Settings_CloseRoot();
        DeleteTree(HKEY_CURRENT_USER);
        DeleteTree(HKEY_LOCAL_MACHINE);
    }
    void Open() { ASSERT_EQ(Settings_OpenRoot("Velmo", "Varmelin", TestVersion), 1); }
};

TEST_F(SettingsTest, EveryTypeReadsBackWhatWasWritten)
{
    Open();
    EXPECT_EQ(Settings_WriteInt(0, "General\\InterfaceLng", 1514), 1);
    EXPECT_EQ(Settings_ReadInt(0, "General\\InterfaceLng"), 1514);
    EXPECT_EQ(Settings_WriteInt(0, "General\\Negative", -7), 1);
    EXPECT_EQ(Settings_ReadInt(0, "General\\Negative"), -7);

    EXPECT_EQ(Settings_WriteFloat(0, "Output\\Margin", 12.5f), 1);
    EXPECT_FLOAT_EQ(Settings_ReadFloat(0, "Output\\Margin"), 12.5f);

    EXPECT_EQ(Settings_WriteString(0, "Output\\Font1.Name", "Arial Ωmega"), 1);
    EXPECT_STREQ(Settings_ReadString(0, "Output\\Font1.Name"), "Arial Ωmega");

    int32_t flags[100] = {};
    flags[10] = 1;
    flags[99] = -5;
    EXPECT_EQ(Settings_WriteBinary(0, "Output\\PrintOptionFlags", sizeof flags, flags), 1);
    int32_t back[100] = {};
    long size = 0;
    EXPECT_EQ(Settings_Read(0, "Output\\PrintOptionFlags", &size, back, sizeof back), back);
    EXPECT_EQ(size, static_cast<long>(sizeof flags));
    EXPECT_EQ(memcmp(flags, back, sizeof flags), 0);

    EXPECT_EQ(Settings_DeleteValue(0, "Output\\Margin"), 1);
    EXPECT_EQ(Settings_ReadFloat(0, "Output\\Margin"), 0.0f);
    EXPECT_EQ(Settings_DeleteValue(0, "Output\\Margin"), 0);
}

TEST_F(SettingsTest, SlashAndBackslashNameTheSameValue)
{
    Open();
    Settings_WriteString(0, "Directories/ProjectDirectory", "C:\\Projects");
    EXPECT_STREQ(Settings_ReadString(0, "Directories\\ProjectDirectory"), "C:\\Projects");
    Settings_WriteString(0, "Loose", "default value of a subkey");
    EXPECT_STREQ(Settings_ReadString(0, "Loose"), "default value of a subkey");
}

struct FallbackCase {
    const char* name;
    bool userSubkey;     // the user has the section, without the value
    bool userValue;
    bool machineValue;
    const char* expected;   // NULL: missing
};

const FallbackCase fallbackCases[] = {
    {"user value wins", true, true, true, "user"},
    {"machine value when the user lacks it", true, false, true, "machine"},
    {"machine value when the user lacks the section", false, false, true, "machine"},
    {"user value without a machine value", true, true, false, "user"},
    {"missing in both", false, false, false, nullptr},
};

TEST_F(SettingsTest, ReadsFallBackToTheMachineRoot)
{
    for (const FallbackCase& c : fallbackCases) {
        SCOPED_TRACE(c.name);
        Settings_CloseRoot();
        DeleteTree(HKEY_CURRENT_USER);
        DeleteTree(HKEY_LOCAL_MACHINE);
        SetMachineString("Defaults", "Unused", "x");
        if (c.machineValue)
            SetMachineString("General", "Company", "machine");
        Open();
        if (c.userValue)
            Settings_WriteString(0, "General\\Company", "user");
        else if (c.userSubkey)
            Settings_WriteString(0, "General\\Other", "x");
        const char* text = Settings_ReadString(0, "General\\Company");
        if (c.expected)
            EXPECT_STREQ(text, c.expected);
        else
            EXPECT_EQ(text, nullptr);
    }
}

TEST_F(SettingsTest, MachineDefaultsOfEveryTypeAndWritesGoToTheUser)
{
    DWORD language = 1524;
    SetMachineValue("General", "InterfaceLng", REG_DWORD, &language, sizeof language);
    SetMachineString("Output", "Margin", "2.25");
    Open();
    std::string machineBefore = DescribeTree(HKEY_LOCAL_MACHINE, RootPath);

    EXPECT_EQ(Settings_ReadInt(0, "General\\InterfaceLng"), 1524);
    EXPECT_FLOAT_EQ(Settings_ReadFloat(0, "Output\\Margin"), 2.25f);

    Settings_WriteInt(0, "General\\InterfaceLng", 1518);
    EXPECT_EQ(Settings_ReadInt(0, "General\\InterfaceLng"), 1518);
    EXPECT_EQ(Settings_ReadInt(Settings_GetRootKey(HKEY_LOCAL_MACHINE), "General\\InterfaceLng"), 1524);
    EXPECT_EQ(Settings_DeleteValue(0, "Output\\Margin"), 0);   // only the machine has it

    // Nothing the store offers writes below the machine root.
    HKEY machine = Settings_GetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_NE(machine, nullptr);
    EXPECT_EQ(Settings_WriteInt(machine, "General\\InterfaceLng", 1), 0);
    EXPECT_EQ(Settings_WriteString(HKEY_LOCAL_MACHINE, "Software\\x", "y"), 0);
    EXPECT_EQ(Settings_DeleteValue(machine, "General\\InterfaceLng"), 0);
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    Settings_SaveWindow(0, "Main", window);
    DestroyWindow(window);
    EXPECT_EQ(DescribeTree(HKEY_LOCAL_MACHINE, RootPath), machineBefore);
}

struct LengthCase {
    const char* name;
    size_t length;
    bool fitsRing;       // Settings_ReadString gives it back
};

const LengthCase lengthCases[] = {
    {"255 bytes fit the ring with the terminator", 255, true},
    {"256 bytes leave no room for the terminator", 256, false},
    {"300 bytes are too long", 300, false},
};

TEST_F(SettingsTest, TextsAtTheBufferLimitsComeBackTerminated)
{
    Open();
    for (const LengthCase& c : lengthCases) {
        SCOPED_TRACE(c.name);
        std::string text(c.length, 'x');
        ASSERT_EQ(Settings_WriteString(0, "Texts\\Long", text.c_str()), 1);
        // Ring slots hold garbage from earlier reads: a read must terminate.
        for (int i = 0; i < 10; ++i)
            Settings_ReadString(0, "Texts\\Missing");
        const char* ring = Settings_ReadString(0, "Texts\\Long");
        if (c.fitsRing)
            EXPECT_EQ(ring, text);
        else
            EXPECT_EQ(ring, nullptr);

        long size = 0;
        char* block = static_cast<char*>(Settings_Read(0, "Texts\\Long", &size, nullptr, 0));
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block, text);
        EXPECT_EQ(size, static_cast<long>(c.length));
        Mem_Free(block);

        std::string exact(c.length, '#');
        EXPECT_EQ(Settings_Read(0, "Texts\\Long", nullptr, exact.data(), static_cast<long>(c.length)), nullptr)
            << "no room for the terminator";
        std::string roomy(c.length + 1, '#');
        EXPECT_EQ(Settings_Read(0, "Texts\\Long", nullptr, roomy.data(), static_cast<long>(c.length + 1)),
                  roomy.data());
        EXPECT_EQ(strlen(roomy.c_str()), c.length);
    }
}

TEST_F(SettingsTest, RefusesBadBuffersAndWrongTypes)
{
    Open();
    Settings_WriteString(0, "General\\Text", "12");
    char buffer[16];
    EXPECT_EQ(Settings_Read(0, "General\\Text", nullptr, buffer, 0), nullptr);
    EXPECT_EQ(Settings_Read(0, "General\\Text", nullptr, buffer, -1), nullptr);

    // A number value is only a 4-byte REG_DWORD.
    EXPECT_EQ(Settings_ReadInt(0, "General\\Text"), 0);
    int64_t wide = 5;
    Settings_WriteBinary(0, "General\\Wide", sizeof wide, &wide);
    EXPECT_EQ(Settings_ReadInt(0, "General\\Wide"), 0);
    int32_t narrow = 5;
    Settings_WriteBinary(0, "General\\Binary4", sizeof narrow, &narrow);
    EXPECT_EQ(Settings_ReadInt(0, "General\\Binary4"), 0);

    // Floats come from texts of at most 40 bytes.
    std::string forty = "1.5" + std::string(37, ' ');
    Settings_WriteString(0, "General\\Forty", forty.c_str());
    EXPECT_FLOAT_EQ(Settings_ReadFloat(0, "General\\Forty"), 1.5f);
    Settings_WriteString(0, "General\\FortyOne", (forty + " ").c_str());
    EXPECT_EQ(Settings_ReadFloat(0, "General\\FortyOne"), 0.0f);
    Settings_WriteString(0, "General\\Word", "wide");
    EXPECT_EQ(Settings_ReadFloat(0, "General\\Word"), 0.0f);

    std::string tooLong(300, 'p');
    EXPECT_EQ(Settings_WriteString(0, tooLong.c_str(), "x"), 0);
    EXPECT_EQ(Settings_ReadString(0, tooLong.c_str()), nullptr);
}

TEST_F(SettingsTest, TheEleventhStringReadReusesTheFirstBuffer)
{
    Open();
    Settings_WriteString(0, "General\\Name", "ring");
    const char* first = Settings_ReadString(0, "General\\Name");
    for (int i = 2; i <= 10; ++i)
        EXPECT_NE(Settings_ReadString(0, "General\\Name"), first) << "read " << i;
    EXPECT_EQ(Settings_ReadString(0, "General\\Name"), first);
}

TEST_F(SettingsTest, ClosedRootsFindNothingAndWriteNowhere)
{
    Settings_CloseRoot();
    EXPECT_EQ(Settings_WriteInt(0, "General\\X", 1), 0);
    EXPECT_EQ(Settings_ReadString(0, "General\\X"), nullptr);
    EXPECT_EQ(Settings_GetRootKey(HKEY_CURRENT_USER), nullptr);
}

// A top-level window for the placement tests.
class PlacementTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        Open();
        window_ = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window_);
        SettingsTest::TearDown();
    }
    RECT NormalPosition() const
    {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window_, &placement);
        return placement.rcNormalPosition;
    }
    HWND window_ = nullptr;
};

TEST_F(PlacementTest, RestoresInTheCoordinatesItWasSavedIn)
{
    ShowWindow(window_, SW_SHOWNORMAL);
    RECT saved = NormalPosition();
    ASSERT_EQ(Settings_SaveWindow(0, "Main", window_), 1);
    SetWindowPos(window_, nullptr, 400, 300, 250, 150, SWP_NOZORDER);
    RECT rect{};
    int show = -1;
    ASSERT_EQ(Settings_RestoreWindow(0, "Main", window_, &rect, &show), 1);
    EXPECT_EQ(show, SW_SHOWNORMAL);
    RECT restored = NormalPosition();
    EXPECT_TRUE(EqualRect(&restored, &saved));
    EXPECT_TRUE(EqualRect(&rect, &saved));
}

// With a task bar along the top, the work area (and with it the coordinates
// of a normal position) no longer starts at the screen's corner.
TEST_F(PlacementTest, RestoresOnAWorkAreaThatDoesNotStartAtTheCorner)
{
    RECT screenWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screenWork, 0);
    RECT shifted = {screenWork.left, screenWork.top + 100, screenWork.right, screenWork.bottom};
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &shifted, 0));
    // Down on the work area's bottom edge: the window must not move.
    SetWindowPos(window_, nullptr, 100, shifted.bottom - 200, 300, 200, SWP_NOZORDER);
    ShowWindow(window_, SW_SHOWNORMAL);
    RECT saved;
    GetWindowRect(window_, &saved);
    ASSERT_EQ(Settings_SaveWindow(0, "Main", window_), 1);
    SetWindowPos(window_, nullptr, 400, 500, 250, 150, SWP_NOZORDER);
    EXPECT_EQ(Settings_RestoreWindow(0, "Main", window_, nullptr, nullptr), 1);
    RECT restored;
    GetWindowRect(window_, &restored);
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &screenWork, 0);
    EXPECT_TRUE(EqualRect(&restored, &saved)) << restored.left << "," << restored.top << " instead of "
                                              << saved.left << "," << saved.top;
}

TEST_F(PlacementTest, StaysOnTheWorkArea)
{
    Settings_WriteString(0, "Main\\Position", "20000 -5000 300 200");
    Settings_WriteString(0, "Main\\Show", "1");
    ASSERT_EQ(Settings_RestoreWindow(0, "Main", window_, nullptr, nullptr), 1);
    RECT window;
    GetWindowRect(window_, &window);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(window.left, work.left);
    EXPECT_GE(window.top, work.top);
    EXPECT_LE(window.right, work.right);
    EXPECT_LE(window.bottom, work.bottom);
    EXPECT_EQ(window.right - window.left, 300);
}

TEST_F(PlacementTest, ShowStateZeroShowsTheWindowNormally)
{
    Settings_WriteString(0, "Main\\Position", "50 60 300 200");
    Settings_WriteString(0, "Main\\Show", "0");
    int show = -1;
    ASSERT_EQ(Settings_RestoreWindow(0, "Main", window_, nullptr, &show), 1);
    EXPECT_EQ(show, SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(window_));
}

struct UnreadablePlacement {
    const char* name;
    const char* position;   // NULL: not stored
    const char* show;
};

const UnreadablePlacement unreadablePlacements[] = {
    {"three numbers", "50 60 300", "1"},
    {"a position longer than 40 bytes", "50 60 300 200                                       ", "1"},
    {"no position", nullptr, "1"},
    {"no show value", "50 60 300 200", nullptr},
};

TEST_F(PlacementTest, AnUnreadablePlacementLeavesTheWindowAlone)
{
    RECT before;
    GetWindowRect(window_, &before);
    for (const UnreadablePlacement& c : unreadablePlacements) {
        Settings_DeleteValue(0, "Main\\Position");
        Settings_DeleteValue(0, "Main\\Show");
        if (c.position)
            Settings_WriteString(0, "Main\\Position", c.position);
        if (c.show)
            Settings_WriteString(0, "Main\\Show", c.show);
        EXPECT_EQ(Settings_RestoreWindow(0, "Main", window_, nullptr, nullptr), 0) << c.name;
        RECT after;
        GetWindowRect(window_, &after);
        EXPECT_TRUE(EqualRect(&before, &after)) << c.name;
        EXPECT_FALSE(IsWindowVisible(window_)) << c.name;
    }
}

}  // namespace
