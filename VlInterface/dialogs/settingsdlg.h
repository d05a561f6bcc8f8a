// The settings dialog's record and its two steps around the dialog, apart
// for the tests: loading the choices and applying them.
#pragma once
#include <cstdint>

#pragma pack(push, 1)
struct SettingsRecord {
    int16_t interfaceLanguage;
    int16_t printLanguage;
    int16_t country;     // 0 other, 1 Sweden, 2 Poland
    int16_t priceList;   // 0 EUR, 1 SEK, 2 PLN
};
#pragma pack(pop)
static_assert(sizeof(SettingsRecord) == 8);

// Reads the record from the settings and the project and builds the choice
// lists; the record is remembered to tell a change at Apply.
void SettingsDlg_Load(SettingsRecord* record);

// Applies the record (a language below 1500 becomes the default one):
// module text language, registry, project, the libraries' languages, and
// when it differs from the loaded one the project's change stamps. 0.
int SettingsDlg_Apply(SettingsRecord* record);
