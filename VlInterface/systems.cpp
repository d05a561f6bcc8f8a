// The system commands: a new empty system, a copy of the loaded one, and the
// deletion of the loaded one. Each asks first, writes the loaded system back,
// switches the loaded system and refreshes the workspace and the selector.
// A command that cannot create its page leaves the loaded system in place.
#include "VlInterface/shell.h"
#include "support/attributes.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/msgbox.h"
#include <string>

namespace {

enum SystemText : uint16_t {
    Text_NewSystemQuestion = 20011,
    Text_DeleteSystemQuestion = 20012,
    Text_CopySystemQuestion = 20013,
    Text_CannotCreateSystem = 45160,
    Text_NewSystemCaption = 45161,
    Text_CopyFailed = 45166,
};

bool Confirm(HWND owner, uint16_t question)
{
    return Wnd_MessageBox(owner, Shell_Text(question), "", MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES;
}

// A new page, or 0 after telling the user; the loaded system stays shown.
// Once number 998 is taken a new system may get a deleted one's number: it
// starts without that one's print mark.
short CreatePage(HWND owner)
{
    short page = Kadmi_CreatePage();
    if (page > 0) {
        PrintSelection_ForgetPage(page);
        Kadmi_SavePage();
        return page;
    }
    std::string caption = Shell_Text(Text_NewSystemCaption);
    Wnd_MessageBox(owner, Shell_Text(Text_CannotCreateSystem), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    MainWnd_ShowLoadedSystem();
    return 0;
}

// The open page stores its inputs and closes; the loaded system is written
// back. False when the page refuses to be left.
bool LeaveLoadedSystem()
{
    if (!MainWnd_StoreOpenPage())
        return false;
    MainWnd_CloseCalcPage();
    if (Shell_HasLayerParts())
        CalcRecord_Store(-1);
    Kadmi_SavePage();
    return true;
}

// Loads page (a new page first gets its layer parts) and shows it.
void ShowSystem(short page, bool addLayerParts)
{
    if (addLayerParts) {
        Kadmi_LoadPage(page);
        Project_AddLayerParts();
        CalcData_SetNewSystemDefaults();
        Kadmi_SavePage();
    }
    Project_LoadSystem(page);
    Kadmi_MarkAccess(kCalcObjectProject, Stamp_ProjectChanged);
    MainWnd_ShowLoadedSystem();
}

} // namespace

int System_New(HWND owner)
{
    if (!Confirm(owner, Text_NewSystemQuestion) || !LeaveLoadedSystem())
        return 0;
    short page = CreatePage(owner);
    if (page == 0)
        return 0;
    ShowSystem(page, true);
    Project_MarkInputsEdited();
    return 1;
}

int System_Delete(HWND owner)
{
    short loaded = Kadmi_GetCurrentPage();
    short position = Kadmi_PageIndex(loaded);
    if (!Confirm(owner, Text_DeleteSystemQuestion) || !LeaveLoadedSystem())
        return 0;
    // The only system is replaced by a new one, made before the old one goes.
    short replacement = 0;
    if (Kadmi_NPage() <= 1 && (replacement = CreatePage(owner)) == 0)
        return 0;
    if (Kadmi_DeletePage(loaded) == 0)
        MainWnd_RemoveSystemFromCombo(loaded);
    if (replacement > 0) {
        ShowSystem(replacement, true);
        Project_MarkInputsEdited();
        return 1;
    }
    ShowSystem(Kadmi_IthPage(short(position > 0 ? position - 1 : 0)), false);
    return 1;
}

int System_Copy(HWND owner)
{
    short loaded = Kadmi_GetCurrentPage();
    if (!Confirm(owner, Text_CopySystemQuestion) || !LeaveLoadedSystem())
        return 0;
    short page = CreatePage(owner);
    if (page == 0)
        return 0;
    if (Kadmi_PageCopy(page, loaded) != 0) {
        // The empty page goes again when it can; the copied system stays loaded.
        Kadmi_DeletePage(page);
        ShowSystem(loaded, false);
        MsgBox_Show(owner, Shell_Text(Text_CopyFailed), MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    ShowSystem(page, false);
    return 1;
}
