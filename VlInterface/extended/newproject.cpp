// What the extended edition does for a new project file and a new system:
// the name dialog of New, which starts with an empty name, and the defaults
// and layer parts that every new system receives.
#include "VlInterface/extended/extended.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include <commdlg.h>
#include <string>

namespace {


}  // namespace

int FileMenu_AskNewFileName(HWND owner, const char* filter, const char* initialDirectory, char* name,
                            const char* title)
{
    name[0] = '\0';
    // No replace question of the dialog's own: New asks its own, which names
    // the file and what is lost, with No as the default answer.
    const ProjectFileDialogRequest request{owner, filter, initialDirectory, title,
                                           OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN, false};
    return Shell_ProjectFileDialog(request, name);
}

void Project_SetNewDefaults()
{
    Kadmi_SetIntAtt(kCalcObjectSystem, Att_Location, static_cast<short>(kLocationUserConditions));
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_ContentsTemperature, 100.0f);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_TargetHumidity, 50.0f);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_AmbientTemperature, 20.0f);
    Kadmi_SetFloatAtt(kCalcObjectSystem, Att_RelativeHumidity, 50.0f);
    Kadmi_SetIntAtt(kCalcObjectSystem, Att_ReportedSurface, Surface_Outer);
    int32_t* parts = Shell().layerParts;
    for (short i = 0; i < kCalcLayers; ++i) {
        const long existing = Kadmi_IthPart(i);
        const long part = existing > 0 ? existing : Kadmi_CreatePart();
        // A part that could not be made is no part (a negative id would address the project block).
        parts[i] = part > 0 ? static_cast<int32_t>(part) : 0;
        if (parts[i])
            Kadmi_SetIntAtt(parts[i], Att_NewLayer, 1);
    }
    CalcRecord_SetLayerParts(parts[0], parts[1], parts[2]);
    CalcRecord_Load();
}
