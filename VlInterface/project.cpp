// The shell's side of the project file: the temporary "Noname" project that
// stands in while no file is open, the user settings stamped into a new
// project, and the questions the commands ask of the open project.
#include "VlInterface/shell.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/settings.h"
#include "support/strings.h"
#include "support/utf8.h"
#include "support/attributes.h"
#include <cstdio>

namespace {

// Systems get their layers as parts 1 to 3 when they are made (New, New
// system, Copy system); the loaded one has those it was loaded with.
constexpr long kMadeLayerParts[3] = {1, 2, 3};

// The string attribute att of a part of any page, without trailing blanks.
std::string PartString(short page, long part, short att)
{
    char text[80] = {};
    if (!Kadmi_GetAttID(page, part, att, nullptr, text, sizeof(text) - 1))
        return "";
    Str_TrimRight(text);
    return text;
}

}

int Project_NewTemporary()
{
    FileMenu_ForgetNewFile();
    Project_DeleteTempFile();
    // Owned through a held marker, so that the next start removes it when
    // this process ends without its shutdown.
    if (!TempFile_Create("NON", Shell().tempFile, sizeof(Shell().tempFile), &Shell().tempOwner)) {
        Shell().tempFile[0] = '\0';
        return -2;
    }
    Kadmi_CreateDatabasefile(Shell().tempFile);
    Kadmi_SaveDatabasefile();
    Kadmi_RenameDatabasefile(kNoname);
    std::snprintf(App().currentFile, sizeof(App().currentFile), "%s", Kadmi_CurrentDatabasefile());
    Project_LoadFirstSystem();
    Kadmi_SavePage();
    CalcData_SetNewSystemDefaults();
    Project_StampUserSettings();
    return 0;
}

void Project_DeleteTempFile()
{
    TempFile_Remove(Shell().tempFile, &Shell().tempOwner);
    Shell().tempFile[0] = '\0';
}

void Project_StampUserSettings()
{
    const char* user = Settings_ReadString(nullptr, "General\\IUserName");
    if (user && *user) {
        char name[101];
        Utf8_CopyCut(name, sizeof(name), user);
        Kadmi_SetStringAtt(-1, Att_UserName, name);
    }
    Kadmi_SetIntAtt(-1, Att_ManufactureCountry, static_cast<short>(Settings_ReadInt(nullptr, "General\\IManufactureCountry_ID")));
    const short wanted = static_cast<short>(Settings_ReadInt(nullptr, "General\\IPrice_ID"));
    Kadmi_SetIntAtt(-1, Att_PriceCurrency, CalcData_NewProjectCurrency(wanted));
    CalcRecord_Load();   // the record starts over from the project as it now is
}

void Project_MarkInputsEdited()
{
    for (const char* mark : {Stamp_InsulationEdited, Stamp_CoolingEdited, Stamp_FreezingEdited})
        Kadmi_MarkAccess(0, mark);
#ifdef VL_EXTENDED
    Kadmi_MarkAccess(0, Stamp_ExtendedEdited);   // the extended inputs' results are stale too
#endif
}

bool Project_IsOpen()
{
    const char* name = Kadmi_CurrentDatabasefile();
    return name && *name;
}

bool Project_IsUnsaved()
{
    return Kadmi_CmpAccess(-1, Stamp_Saved, -1, Stamp_ProjectChanged) < 0;
}

void Project_LoadSystem(short page)
{
    if (page > 0)
        Kadmi_LoadPage(page);
    for (short i = 0; i < 3; ++i) {
        long part = page > 0 ? Kadmi_IthPart(i) : 0;
        Shell().layerParts[i] = part > 0 ? static_cast<int32_t>(part) : 0;
    }
    const int32_t* parts = Shell().layerParts;
    CalcRecord_SetLayerParts(parts[0], parts[1], parts[2]);
    CalcRecord_Load();
}

void Project_LoadFirstSystem()
{
    Project_LoadSystem(Kadmi_IthPage(0));
}

void Project_AddLayerParts()
{
    for (int i = 0; i < 3; ++i)
        Kadmi_SetIntAtt(Kadmi_CreatePart(), Att_NewLayer, 1);
}

bool Project_SystemUsesProduct(short page, const char* recordClass, const char* code)
{
    bool loaded = page == Kadmi_GetCurrentPage();
    for (int k = 0; k < 3; ++k) {
        long part = loaded ? Shell().layerParts[k] : kMadeLayerParts[k];
        if (part > 0 && PartString(page, part, Att_ProductClass) == recordClass &&
            PartString(page, part, Att_ProductType) == code)
            return true;
    }
    return false;
}

bool Project_SystemUsesLocation(short page, const char* key)
{
    return key && *key && PartString(page, 0, Att_LocationKey) == key;
}

std::vector<std::string> Project_RemovedDataOfLoadedSystem()
{
    std::vector<std::string> removed;
    const CalcRecord& record = CalcRec();
    for (int k = 0; k < 3; ++k) {
        if (UserType_IsRemoved(record.productClass[k], record.productType[k]))
            removed.push_back(RemovedData_ProductName(record.productType[k]));
    }
    if (record.location == kLocationRemoved)
        removed.push_back(RemovedData_LocationName(record.locationKey));
    return removed;
}
