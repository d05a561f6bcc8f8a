// VlUtil's own language: the interface language from the settings at
// start-up and on a language change, shown by the entries' texts.
#include <gtest/gtest.h>
#include "VlUtil/vlutil.h"
#include "outside/Lexmo100/lexmo.h"
#include <optional>
#include <string>

namespace {

constexpr char SettingsKey[] = "Software\\Velmo\\Varmelin\\vlutil-test\\General";
constexpr TextId StaleResultsTextId = 40046;

void StoreInterfaceLanguage(std::optional<DWORD> language)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    if (language)
        RegSetValueExA(key, "InterfaceLng", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*language),
                       sizeof *language);
    else
        RegDeleteValueA(key, "InterfaceLng");
    RegCloseKey(key);
}

// The text as the text library gives it in a language.
std::string TextIn(LanguageId language, TextId id)
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("VlUtil.dll"), path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    short handle = TextAPI_Open((folder + "TextAPI.db").c_str(), (folder + "TextAPI.ddq").c_str());
    TextAPI_SetLanguage(handle, language);
    std::string text = TextAPI_GetText(handle, id);
    TextAPI_Close(handle);
    return text;
}

struct LanguageCase {
    const char* name;
    std::optional<DWORD> stored;
    LanguageId shown;
};

const LanguageCase languageCases[] = {
    {"Russian", 1528, kLangRussian},
    {"Polish", 1518, kLangPolish},
    {"a value below 1500 means English", 1499, kLangEnglish},
    {"nothing stored means English", std::nullopt, kLangEnglish},
};

TEST(VlUtilLanguage, EntriesSpeakTheInterfaceLanguageOfTheSettings)
{
    VlUtil_InitDLL(nullptr, GetModuleHandleA(nullptr), "Velmo", "Varmelin", "vlutil-test");
    // A second start-up changes nothing: the settings root stays the first one.
    VlUtil_InitDLL(nullptr, GetModuleHandleA(nullptr), "Velmo", "Varmelin", "another-version");
    ErrorList_Reset();
    ErrorList_Insert(0, ErrorKind_FailedIteration, StaleResultsTextId, nullptr, 0, nullptr);
    ASSERT_NE(TextIn(kLangRussian, StaleResultsTextId), TextIn(kLangEnglish, StaleResultsTextId));
    for (const LanguageCase& c : languageCases) {
        StoreInterfaceLanguage(c.stored);
        VlUtil_OnLanguageChange();
        EXPECT_EQ(ErrorList_IthErrorStr(0), TextIn(c.shown, StaleResultsTextId)) << c.name;
    }
    ErrorList_Clear();
    StoreInterfaceLanguage(std::nullopt);
}

}  // namespace
