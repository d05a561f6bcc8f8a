// Language texts of the shell dialogs, and the pieces the dialogs share:
// and their help contexts.
#pragma once
#include <windows.h>
#include <cstdint>

enum DialogText : uint16_t {
    Text_Close = 9067,
    Text_Print = 9296,
    Text_NoSystems = 10208,
    Text_CountrySweden = 20064,
    Text_CountryPoland = 20065,
    Text_FooterWeb = 20063,
    Text_PageSelection = 30000,
    Text_PageFonts = 30001,
    Text_Sections = 30002,
    Text_Output = 30003,
    Text_Preview = 30004,
    Text_Clipboard = 30005,
    Text_MarkAll = 30006,
    Text_UnmarkAll = 30007,
    Text_ChangeFont = 30008,
    Text_Font1 = 30009,
    Text_Font2 = 30010,
    Text_Font3 = 30011,
    Text_FontDefaults = 30012,
    Text_FontDefaultsTip = 30013,
    Text_PageFooter = 30014,
    Text_FooterCompany = 30015,
    Text_FooterAddress = 30016,
    Text_FooterPhone = 30017,
    Text_FooterFax = 30018,
    Text_FooterEmail = 30019,
    Text_SectionHeatLoss = 30020,
    Text_SectionCooling = 30021,
    Text_SectionFreezing = 30022,
    Text_SectionCosts = 30023,
    Text_SystemsToPrint = 30024,
    Text_Settings = 50000,
    Text_InterfaceLanguage = 50001,
    Text_PrintLanguage = 50002,
    Text_Country = 50003,
    Text_PriceList = 50004,
    Text_CountryOther = 50008,
    Text_TooManyPoints = 45220,
    Text_NoFreeNumber = 45221,
};

enum DialogHelpContext : uint32_t {
    HelpContext_UserInsulation = 8,
    HelpContext_Weather = 9,
    HelpContext_Settings = 10,
    HelpContext_PrintSelection = 14,
    HelpContext_Footer = 15,
    HelpContext_Fonts = 16,
};

// Opens the interface help file at context.
void DlgHelp_Show(HWND owner, uint32_t context);
