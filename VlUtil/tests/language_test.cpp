// VlUtil's own language: the interface language from the settings at
// start-up and on a language change, shown by the entries' texts.
#include <gtest/gtest.h>
#include "VlUtil/vlutil.h"
#include "VlUtil/tests/library_text.h"
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
    ASSERT_NE(LibraryText(StaleResultsTextId, kLangRussian), LibraryText(StaleResultsTextId));
    for (const LanguageCase& c : languageCases) {
        StoreInterfaceLanguage(c.stored);
        VlUtil_OnLanguageChange();
        EXPECT_EQ(ErrorList_IthErrorStr(0), LibraryText(StaleResultsTextId, c.shown)) << c.name;
    }
    ErrorList_Clear();
    StoreInterfaceLanguage(std::nullopt);
}

}  // namespace
