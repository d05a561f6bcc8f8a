// The settings dialog through the main window's command: every interface
// language reaches the module's texts, the menu and the help file at once,
// the print-out language goes its own way, and only a real change marks the
// project and its systems edited.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/dialogs/dialogs_fixture.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/settings.h"
#include <string>

namespace {

class SettingsTest : public DialogsTest {
protected:
    void Choose(int16_t interfaceLanguage, int16_t printLanguage, int16_t country, int16_t priceList)
    {
        RunCommand(IDM_SETTINGS, IDC_SET_INTERFACE_LNG, [&](HWND dialog) {
            EXPECT_TRUE(SelectByData(dialog, IDC_SET_INTERFACE_LNG, interfaceLanguage));
            EXPECT_TRUE(SelectByData(dialog, IDC_SET_PRINT_LNG, printLanguage));
            EXPECT_TRUE(SelectByData(dialog, IDC_SET_COUNTRY, country));
            EXPECT_TRUE(SelectByData(dialog, IDC_SET_PRICE_LIST, priceList));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    }

    std::string FirstMenuCaption() const
    {
        char caption[128] = {};
        GetMenuStringA(GetMenu(window()), 0, caption, sizeof(caption), MF_BYPOSITION);
        return caption;
    }

    static bool SystemStamped(int position, const char* mark)
    {
        Kadmi_SavePage();
        short current = Kadmi_GetCurrentPage();
        Kadmi_LoadPage(Kadmi_IthPage(static_cast<short>(position)));
        bool stamped = Kadmi_CmpAccess(0, mark, 0, "ZZZZ") > 0;   // a missing stamp orders first
        Kadmi_LoadPage(current);
        return stamped;
    }
};

TEST_F(SettingsTest, EveryLanguageReachesTextsMenuAndHelpAtOnce)
{
    struct Row {
        const char* name;
        int16_t language;
        const char* helpFile;
    };
    const Row rows[] = {
        {"Finnish", kLangFinnish, "Varmelin_fi.hlp"}, {"Swedish", kLangSwedish, "Varmelin_sv.hlp"},
        {"Polish", kLangPolish, "Varmelin_pl.hlp"},   {"Russian", kLangRussian, "Varmelin_ru.hlp"},
        {"English", kLangEnglish, "Varmelin_en.hlp"},
    };
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Choose(row.language, kLangEnglish, 0, 0);
        EXPECT_EQ(TextAPI_GetLanguage(Shell().textHandle), row.language);
        EXPECT_EQ(Settings_ReadInt(nullptr, "General\\InterfaceLng"), row.language);
        EXPECT_EQ(FirstMenuCaption(), TextAPI_GetText(Shell().textHandle, 9164));
        std::string help = Shell().helpPath;
        EXPECT_EQ(help.substr(help.find_last_of('\\') + 1), row.helpFile);
    }
}

TEST_F(SettingsTest, WithoutLanguageSettingsTheDefaultLanguageIsShown)
{
    Settings_DeleteValue(nullptr, "General\\InterfaceLng");
    Settings_DeleteValue(nullptr, "Output\\PrintLng");
    Start();
    RunCommand(IDM_SETTINGS, IDC_SET_INTERFACE_LNG, [](HWND dialog) {
        for (int id : {IDC_SET_INTERFACE_LNG, IDC_SET_PRINT_LNG}) {
            LRESULT item = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            ASSERT_NE(item, CB_ERR) << id;
            EXPECT_EQ(SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, item, 0), kLangEnglish) << id;
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(SettingsTest, StoredInterfaceLanguageIsShownAndKeptByOk)
{
    // Stored, shown (item data, CB_ERR for none) and stored after OK.
    const LRESULT rows[][3] = {
        {1499, kLangEnglish, kLangEnglish}, {1500, CB_ERR, 1500}, {kLangFinnish, kLangFinnish, kLangFinnish}};
    Start();
    for (const auto& row : rows) {
        PresetInt("General", "InterfaceLng", static_cast<DWORD>(row[0]));
        RunCommand(IDM_SETTINGS, IDC_SET_INTERFACE_LNG, [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_SET_INTERFACE_LNG);
            LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
            EXPECT_EQ(item == CB_ERR ? CB_ERR : SendMessageA(list, CB_GETITEMDATA, item, 0), row[1]) << row[0];
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(Settings_ReadInt(nullptr, "General\\InterfaceLng"), row[2]) << row[0];
    }
}

TEST_F(SettingsTest, ChoicesAreStoredAndOnlyAChangeStampsTheSystems)
{
    PresetInt("General", "InterfaceLng", kLangEnglish);
    PresetInt("Output", "PrintLng", kLangEnglish);
    StartWithThreeSystems();
    ForgetChangeMark();
    Choose(kLangEnglish, kLangEnglish, 0, 0);
    EXPECT_FALSE(ChangeMarked());
    EXPECT_FALSE(SystemStamped(2, "EDT4"));
    // The languages are the user's, not the project's.
    Choose(kLangFinnish, kLangSwedish, 0, 0);
    EXPECT_FALSE(ChangeMarked());
    EXPECT_FALSE(SystemStamped(0, "EDT1"));
    EXPECT_FALSE(SystemStamped(2, "EDT4"));

    Choose(kLangEnglish, kLangPolish, 1, 2);
    EXPECT_EQ(TextAPI_GetLanguage(Shell().textHandle), kLangEnglish);
    EXPECT_EQ(Settings_ReadInt(nullptr, "Output\\PrintLng"), kLangPolish);
    EXPECT_EQ(Settings_ReadInt(nullptr, "General\\IManufactureCountry_ID"), 1);
    EXPECT_EQ(Settings_ReadInt(nullptr, "General\\IPrice_ID"), 2);
    EXPECT_EQ(Kadmi_GetIntAtt(-1, 1129), 1);
    EXPECT_EQ(Kadmi_GetIntAtt(-1, 1132), 2);
    EXPECT_TRUE(ChangeMarked());
    for (int position = 0; position < 3; ++position)
        EXPECT_TRUE(SystemStamped(position, "EDT4")) << position;

    ForgetChangeMark();
    RunCommand(IDM_SETTINGS, IDC_SET_INTERFACE_LNG, [](HWND dialog) {
        SelectByData(dialog, IDC_SET_PRINT_LNG, kLangRussian);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Settings_ReadInt(nullptr, "Output\\PrintLng"), kLangPolish);
    EXPECT_FALSE(ChangeMarked());
}

} // namespace
