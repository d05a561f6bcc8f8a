// The print dialog: the sheet with the selection, company footer and report
// fonts pages, and what the three pages share.
#include "VlInterface/dialogs/dialogs.h"
#include "support/attributes.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "VlInterface/dialogs/printpages.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/help.h"

INT_PTR PrintDialog_Show(HWND owner, int startPage)
{
    PROPSHEETPAGEA pages[3] = {};
    PrintSelPage_GetPageInfo(&pages[0]);
    FooterPage_GetPageInfo(&pages[1]);
    FontsPage_GetPageInfo(&pages[2]);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = App().instance;
    header.hIcon = LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_VARMELIN));
    header.pszCaption = Shell_Text(Text_Print);
    header.nPages = 3;
    header.nStartPage = static_cast<UINT>(startPage);
    header.ppsp = pages;
    return PropSheet_Run(&header);
}

void PrintPage_Fill(PROPSHEETPAGEA* page, int templateId, uint16_t titleText, DLGPROC procedure)
{
    *page = PROPSHEETPAGEA{};
    page->dwSize = sizeof(*page);
    page->dwFlags = PSP_USETITLE | PSP_HASHELP;
    page->hInstance = App().instance;
    page->pszTemplate = MAKEINTRESOURCEA(templateId);
    page->hIcon = LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_VARMELIN));
    page->pszTitle = Shell_Text(titleText);
    page->pfnDlgProc = procedure;
}

INT_PTR PrintPage_OnMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                            const PrintPageHandlers& handlers)
{
    switch (message) {
    case WM_INITDIALOG:
        Shell().helpContext = static_cast<int32_t>(handlers.helpContext);
        PropSheet_PlacePage(page);
        TextAPI_TranslateDialog(Shell().textHandle, page, handlers.texts);
        if (handlers.show)
            handlers.show(page);
        return FALSE;
    case WM_NOTIFY:
        return PrintPage_OnNotify(page, PrintPage_Code(wParam, lParam), handlers);
    case WM_DRAWITEM:
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_SETFOCUS)
            SendMessageW(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, -1);
        return FALSE;
    default:
        return FALSE;
    }
}

void PrintPage_MarkProjectChanged()
{
    Kadmi_MarkAccess(-1, Stamp_ProjectChanged);
    MainWnd_UpdateTitle();
}

int32_t PrintPage_Code(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0 || !lParam)
        return 0;
    return static_cast<int32_t>(reinterpret_cast<const NMHDR*>(lParam)->code);
}

INT_PTR PrintPage_OnNotify(HWND page, int32_t code, const PrintPageHandlers& handlers)
{
    switch (code) {
    case SheetCode_KillActive:
    case SheetCode_Print:
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
        if (handlers.read)
            handlers.read(page);
        handlers.save();
        return TRUE;
    case SheetCode_Apply:
        handlers.save();
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
        return TRUE;
    case SheetCode_SetActive:
        SetWindowLongPtrW(page, DWLP_MSGRESULT, 0);
        return TRUE;
    case SheetCode_Reset:
        return TRUE;
    case SheetCode_Help:
        DlgHelp_Show(page, handlers.helpContext);
        return TRUE;
    case SheetCode_NextPage:
    case SheetCode_PrevPage:
        PropSheet_GoToPage(code);
        return TRUE;
    default:
        return FALSE;
    }
}

void DlgHelp_Show(HWND owner, uint32_t context)
{
    Help_Show(owner, Shell().helpPath, context);
}
