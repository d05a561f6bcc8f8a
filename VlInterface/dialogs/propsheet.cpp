// The tab sheet of the print dialog: a plain dialog with a tab control that
// shows one page (a child dialog) at a time and drives the pages by calling
// their procedures with WM_NOTIFY codes. Ctrl+PgDn and Ctrl+PgUp are hot keys
// of the sheet while it is open; the pages decide whether to move.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/dialogs/dlgtexts.h"
#include "outside/Lexmo100/lexmo.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include <commctrl.h>

namespace {

constexpr int kMaxPages = 10;
constexpr int kLastPrintPage = 2;   // the print dialog's three pages

struct PageSlot {
    PROPSHEETPAGEA page;
    int32_t index;
};

// What the pages receive: the header, and for SheetCode_Opening the slot.
struct SheetNotify {
    NMHDR header;
    const PageSlot* slot;
};

struct SheetState {
    const PROPSHEETHEADERA* header = nullptr;
    PageSlot slots[kMaxPages] = {};
    int count = 0;
    HWND sheet = nullptr;
    HWND tabs = nullptr;
    HWND openPage = nullptr;
    int current = -1;
    ATOM nextKey = 0, prevKey = 0;
};
SheetState g_sheet;

const DialogTextTable kSheetTexts[] = {
    {IDOK, Text_Close, nullptr},
    {IDC_SHEET_PRINT, Text_Print, nullptr},
    {IDCANCEL, Text_Cancel, nullptr},
    {IDC_DIALOG_HELP, Text_Help, nullptr},
    {0, 0, nullptr},
};

// The slot of tab item, or null.
const PageSlot* SlotOfTab(int item)
{
    if (item < 0)
        return nullptr;
    LPARAM param = 0;
    if (!Tab_GetItem(g_sheet.tabs, item, nullptr, &param))
        return nullptr;
    int slot = static_cast<int>(param);
    return slot >= 0 && slot < g_sheet.count ? &g_sheet.slots[slot] : nullptr;
}

// Calls the page's procedure with code; its return value.
INT_PTR Notify(const PageSlot* slot, int32_t code)
{
    if (!slot || !slot->page.pfnDlgProc)
        return 0;
    SheetNotify notify{{g_sheet.tabs, 0, static_cast<UINT>(code)}, slot};
    return slot->page.pfnDlgProc(g_sheet.openPage, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

LRESULT OpenPageResult()
{
    return g_sheet.openPage ? GetWindowLongPtrW(g_sheet.openPage, DWLP_MSGRESULT) : 0;
}

void ClosePage()
{
    if (!g_sheet.openPage)
        return;
    ModelessDlg_Remove(g_sheet.openPage);
    DestroyWindow(g_sheet.openPage);
    g_sheet.openPage = nullptr;
}

void OpenPage(const PageSlot* slot)
{
    ClosePage();
    Notify(slot, SheetCode_Opening);
    // Page templates are resource numbers.
    LPCWSTR name = MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(slot->page.pszTemplate));
    g_sheet.openPage = CreateDialogParamW(slot->page.hInstance, name, g_sheet.sheet,
                                          slot->page.pfnDlgProc, reinterpret_cast<LPARAM>(&slot->page));
    if (g_sheet.openPage) {
        ModelessDlg_Add(g_sheet.openPage);
        ShowWindow(g_sheet.openPage, SW_SHOW);
    }
}

void CloseSheetPages()
{
    ClosePage();
    if (g_sheet.tabs)
        DestroyWindow(g_sheet.tabs);
    g_sheet.tabs = nullptr;
}

void RegisterHotKeys(HWND sheet)
{
    g_sheet.nextKey = GlobalAddAtomA("IDK_NEXT_PAGE");
    g_sheet.prevKey = GlobalAddAtomA("IDK_PREV_PAGE");
    RegisterHotKey(sheet, g_sheet.nextKey, MOD_CONTROL, VK_NEXT);
    RegisterHotKey(sheet, g_sheet.prevKey, MOD_CONTROL, VK_PRIOR);
}

void UnregisterHotKeys(HWND sheet)
{
    UnregisterHotKey(sheet, g_sheet.nextKey);
    UnregisterHotKey(sheet, g_sheet.prevKey);
    GlobalDeleteAtom(g_sheet.nextKey);
    GlobalDeleteAtom(g_sheet.prevKey);
    g_sheet.nextKey = g_sheet.prevKey = 0;
}

void OnInitDialog(HWND sheet)
{
    Wnd_CenterOnOwner(sheet);
    RegisterHotKeys(sheet);
    TextAPI_TranslateDialog(Shell().textHandle, sheet, kSheetTexts);
    Wnd_SetText(sheet, g_sheet.header->pszCaption);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    g_sheet.sheet = sheet;
    g_sheet.current = -1;
    g_sheet.openPage = nullptr;
    g_sheet.tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
    SendMessageW(g_sheet.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), FALSE);
    g_sheet.count = static_cast<int>(g_sheet.header->nPages < kMaxPages ? g_sheet.header->nPages : kMaxPages);
    for (int i = 0; i < kMaxPages; ++i)
        g_sheet.slots[i] = PageSlot{};
    for (int i = 0; i < g_sheet.count; ++i) {
        g_sheet.slots[i] = PageSlot{g_sheet.header->ppsp[i], i};
        Tab_InsertItem(g_sheet.tabs, i, g_sheet.slots[i].page.pszTitle, i);

    }
    int start = static_cast<int>(g_sheet.header->nStartPage);
    if (start < 0 || start >= g_sheet.count)
        return;
    g_sheet.current = start;
    SendMessageW(g_sheet.tabs, TCM_SETCURSEL, start, 0);
    OpenPage(&g_sheet.slots[start]);
}

// TCN_SELCHANGING: the page being left may refuse.
INT_PTR OnSelChanging(HWND sheet)
{
    Notify(SlotOfTab(g_sheet.current), SheetCode_KillActive);
    LRESULT refuse = OpenPageResult();
    SetWindowLongPtrW(sheet, DWLP_MSGRESULT, refuse);
    return refuse != 0;
}

// TCN_SELCHANGE: the new page may refuse too; otherwise it opens.
void OnSelChange()
{
    int selected = static_cast<int>(SendMessageW(g_sheet.tabs, TCM_GETCURSEL, 0, 0));
    const PageSlot* slot = SlotOfTab(selected);
    if (!slot)
        return;
    if (Notify(slot, SheetCode_SetActive) != 0 && OpenPageResult() != 0) {
        if (g_sheet.current >= 0)
            SendMessageW(g_sheet.tabs, TCM_SETCURSEL, g_sheet.current, 0);
        return;
    }
    OpenPage(slot);
    g_sheet.current = selected;
}

void OnOk(HWND sheet)
{
    if (PropSheet_NotifyCurrentPage(SheetCode_KillActive) != 0)
        return;
    PropSheet_NotifyAllPages(SheetCode_Apply);
    CloseSheetPages();
    EndDialog(sheet, IDOK);
}

INT_PTR OnCommand(HWND sheet, UINT id)
{
    switch (id) {
    case IDOK:
        OnOk(sheet);
        return TRUE;
    case IDCANCEL:
        CloseSheetPages();
        EndDialog(sheet, IDCANCEL);
        return TRUE;
    case IDC_DIALOG_HELP:
        PropSheet_NotifyCurrentPage(SheetCode_Help);
        return TRUE;
    case IDC_SHEET_PRINT:
        PropSheet_NotifyCurrentPage(SheetCode_Print);
        PropSheet_NotifyAllPages(SheetCode_PrintAll);
        return TRUE;
    case SheetCode_MarkAll:
    case SheetCode_UnmarkAll:
        PropSheet_NotifyCurrentPage(static_cast<int32_t>(id));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PropSheet_DlgProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom != g_sheet.tabs)
            return FALSE;
        if (header->code == static_cast<UINT>(TCN_SELCHANGING))
            return OnSelChanging(sheet);
        if (header->code == static_cast<UINT>(TCN_SELCHANGE))
            OnSelChange();
        return FALSE;
    }
    case WM_INITDIALOG:
        OnInitDialog(sheet);
        return FALSE;
    case WM_CLOSE:
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(sheet, LOWORD(wParam));
    case WM_HOTKEY:
        if (wParam == g_sheet.nextKey)
            PropSheet_NotifyCurrentPage(SheetCode_NextPage);
        else if (wParam == g_sheet.prevKey)
            PropSheet_NotifyCurrentPage(SheetCode_PrevPage);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR PropSheet_Run(const PROPSHEETHEADERA* header)
{
    SheetState saved = g_sheet;   // a sheet opened from a page's own dialog comes back
    g_sheet = SheetState{};
    g_sheet.header = header;
    INT_PTR result = DialogBoxParamW(App().instance, MAKEINTRESOURCEW(IDD_PRINT_SHEET), header->hwndParent,
                                     PropSheet_DlgProc, 0);
    if (g_sheet.sheet)
        UnregisterHotKeys(g_sheet.sheet);
    g_sheet = saved;
    return result;
}

int PropSheet_GoToPage(int code)
{
    int selected = static_cast<int>(SendMessageW(g_sheet.tabs, TCM_GETCURSEL, 0, 0));
    int target = selected + (code == SheetCode_NextPage ? 1 : -1);
    if (target < 0 || target > kLastPrintPage || target >= g_sheet.count)
        return -1;
    SendMessageW(g_sheet.tabs, TCM_SETCURFOCUS, target, 0);
    return 1;
}

void PropSheet_PlacePage(HWND page)
{
    if (!g_sheet.tabs)
        return;
    RECT area;
    GetClientRect(g_sheet.tabs, &area);
    SendMessageW(g_sheet.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    POINT corner{area.left, area.top};
    MapWindowPoints(g_sheet.tabs, g_sheet.sheet, &corner, 1);
    SetWindowPos(page, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT PropSheet_NotifyCurrentPage(int32_t code)
{
    int selected = static_cast<int>(SendMessageW(g_sheet.tabs, TCM_GETCURSEL, 0, 0));
    const PageSlot* slot = SlotOfTab(selected);
    if (!slot)
        return 0;
    Notify(slot, code);
    return OpenPageResult();
}

LRESULT PropSheet_NotifyAllPages(int32_t code)
{
    for (int i = 0; i < g_sheet.count; ++i)
        Notify(&g_sheet.slots[i], code);
    return OpenPageResult();
}

HWND PropSheet_OpenPage()
{
    return g_sheet.openPage;
}
