// The calculation tab host: one tab per slot that has a page, and the
// selected tab's page shown as a modeless child of the tab control. A page
// once opened is kept, hidden, while another tab is shown: creating its many
// controls again costs more under Wine than everything it shows. The host
// talks to the open page by calling that page's own procedure; it never
// calls another page's procedure with the open page's window.
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/shell.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/tooltips.h"
#include "support/utf8.h"
#include <commctrl.h>

namespace {

// A page window with the copy of its record it was created with (slots are
// rebuilt under it), and what it had when it was hidden last.
struct KeptPage {
    HWND window = nullptr;
    CalcPageRecord record = {};
    HWND focus = nullptr;
    int32_t helpContext = 0;
};

// The host's state: parent, tab control, the page windows by slot with the
// open one, the last selected tab, the busy flag and how many -200 it sent.
struct CalcTabsState {
    HWND parent = nullptr;
    HWND tabs = nullptr;
    HWND page = nullptr;            // the open page window
    int openSlot = -1;
    KeptPage kept[kCalcSlots] = {};
    int lastSelected = -1;
    bool busy = false;   // the host changes its windows: the pages' field notices are not choices
    bool justOpened = false;   // see CalcTabs_PageJustOpened
    CalcPageRecord records[kCalcSlots] = {};
    uint32_t showNotices = 0;
};

CalcTabsState& Host()
{
    static CalcTabsState state;
    return state;
}

const CalcPageRecord* OpenRecord()
{
    const CalcTabsState& host = Host();
    return host.page ? &host.kept[host.openSlot].record : nullptr;
}

bool SlotHasPage(int slot)
{
    return Host().records[slot].page.pfnDlgProc != nullptr;
}

void BuildPageTable()
{
    for (int slot = 0; slot < kCalcSlots; ++slot) {
        CalcPageRecord& record = Host().records[slot];
        record = {};
        if (g_calcSlots.pages[slot])
            g_calcSlots.pages[slot](&record);
        record.slot = slot;
    }
}

int TabCount()
{
    return static_cast<int>(SendMessageW(Host().tabs, TCM_GETITEMCOUNT, 0, 0));
}

void InsertTab(int index, CalcPageRecord& record)
{
    Tab_InsertItem(Host().tabs, index, record.page.pszTitle, reinterpret_cast<LPARAM>(&record));
}

CalcPageRecord* TabRecord(int index)
{
    LPARAM record = 0;
    if (!Tab_GetItem(Host().tabs, index, nullptr, &record))
        return nullptr;
    return reinterpret_cast<CalcPageRecord*>(record);
}

// Tabs of the slots before the late ones, in slot order.
int InsertEarlyTabs()
{
    int count = 0;
    for (int slot = 0; slot < kCalcFirstLateSlot; ++slot) {
        if (SlotHasPage(slot))
            InsertTab(count++, Host().records[slot]);
    }
    return count;
}

bool SamePage(const CalcPageRecord& a, const CalcPageRecord& b)
{
    return a.page.pfnDlgProc == b.page.pfnDlgProc && a.page.hInstance == b.page.hInstance &&
           a.page.pszTemplate == b.page.pszTemplate;
}

void DestroyKept(KeptPage& kept)
{
    if (!kept.window)
        return;
    ReentryGuard busy(Host().busy);
    HWND window = kept.window;
    kept = {};
    DestroyWindow(window);
    ModelessDlg_Remove(window);
}

// Shown as far as the window itself goes, whether or not its parents are.
bool HasVisibleStyle(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Shows the open page when it was kept hidden, as its opening left it:
// focus and help topic. It is shown after it has shown the system, which a
// hidden window does at less cost.
void ShowOpenPage()
{
    CalcTabsState& host = Host();
    if (!host.page || HasVisibleStyle(host.page))
        return;
    KeptPage& kept = host.kept[host.openSlot];
    {
        ReentryGuard busy(Host().busy);
        ShowWindow(kept.window, SW_SHOW);
    }
    Shell().helpContext = kept.helpContext;
    if (kept.focus && HasVisibleStyle(kept.focus) && IsWindowEnabled(kept.focus))
        SetFocus(kept.focus);
    else if (HWND first = GetNextDlgTabItem(kept.window, nullptr, FALSE))
        SetFocus(first);
}

// Page templates are resource numbers.
LPCWSTR TemplateName(const CalcPageRecord& record)
{
    return MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(record.page.pszTemplate));
}

bool CreatePage(KeptPage& kept, const CalcPageRecord& record)
{
    ReentryGuard busy(Host().busy);
    kept.record = record;
    kept.window = CreateDialogParamW(record.page.hInstance, TemplateName(record), Host().tabs,
                                     record.page.pfnDlgProc, reinterpret_cast<LPARAM>(&kept.record));
    if (!kept.window) {
        kept = {};
        return false;
    }
    ModelessDlg_Add(kept.window);
    return true;
}

void OpenPage(const CalcPageRecord& record)
{
    CalcTabs_HidePage();
    CalcTabsState& host = Host();
    KeptPage& kept = host.kept[record.slot];
    if (kept.window && !SamePage(kept.record, record))
        DestroyKept(kept);   // the cooling slot changed its page with the object
    const bool created = !kept.window;
    if (created && !CreatePage(kept, record))
        return;
    host.page = kept.window;
    host.openSlot = record.slot;
    host.justOpened = created;
}

void OpenFocusedPage()
{
    if (CalcPageRecord* record = TabRecord(CalcTabs_GetFocusedTab()))
        OpenPage(*record);
}

LRESULT OnSelectionChanging()
{
    return CalcTabs_NotifyCurrentPage(CalcPage_KillActive);
}

void OnSelectionChanged()
{
    CalcTabsState& host = Host();
    if (CalcTabs_NotifyCurrentPage(CalcPage_MayLeave) == 0) {
        OpenFocusedPage();
        host.lastSelected = CalcTabs_GetFocusedTab();
    } else {
        SendMessageW(host.tabs, TCM_SETCURSEL, host.lastSelected, 0);
    }
    CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
    ShowOpenPage();
    MainWnd_EnableCommands(host.parent);
}

bool FromTabControl(UINT message, LPARAM lParam)
{
    return message == WM_NOTIFY && Host().tabs &&
           reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == Host().tabs;
}

} // namespace

int CalcTabs_Create(HWND parent, int id, const RECT* rect)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CalcTabsState& host = Host();
    host = CalcTabsState{};
    host.parent = parent;
    RECT area{};
    if (rect)
        area = *rect;
    else
        GetClientRect(parent, &area);
    host.tabs = CreateWindowExW(0, WC_TABCONTROLW, L"",
 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, area.left, area.top,
                                area.right - area.left + 1, area.bottom - area.top + 1, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
    if (!host.tabs)
        return -1;
    SendMessageW(host.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    BuildPageTable();
    InsertEarlyTabs();
    SendMessageW(host.tabs, TCM_SETCURSEL, 0, 0);
    host.lastSelected = 0;
    OpenFocusedPage();
    host.justOpened = false;
    return 0;
}

int CalcTabs_Destroy()
{
    CalcTabsState& host = Host();
    if (!host.tabs)
        return 0;
    CalcTabs_NotifyCurrentPage(CalcPage_Apply);
    CalcTabs_ClosePage();
    DestroyWindow(host.tabs);
    host.tabs = nullptr;
    return 1;
}

// The tab control sends no notification for TCM_SETCURSEL: the change steps
// run here as they do for a click.
void CalcTabs_SelectPage(int index)
{
    CalcTabsState& host = Host();
    if (!host.tabs || index < 0 || index >= TabCount())
        return;
    const uint32_t showNotices = host.showNotices;
    if (CalcTabs_GetFocusedTab() != index && OnSelectionChanging() == 0) {
        SendMessageW(host.tabs, TCM_SETCURSEL, index, 0);
        OnSelectionChanged();
    }
    if (!host.page)
        OpenFocusedPage();
    // A page told -200 by the change has loaded and shown the system once:
    // a second notice would only do it all again.
    if (host.showNotices == showNotices)
        CalcTabs_RefreshPage();
    else
        CalcTabs_UpdateTabs();
    ShowOpenPage();
    host.justOpened = false;
    InvalidateRect(host.tabs, nullptr, TRUE);
}

int CalcTabs_GetFocusedTab()
{
    if (!Host().tabs)
        return 0;
    return static_cast<int>(SendMessageW(Host().tabs, TCM_GETCURFOCUS, 0, 0));
}

LRESULT CalcTabs_NotifyCurrentPage(int32_t code)
{
    CalcTabsState& host = Host();
    const CalcPageRecord* record = OpenRecord();
    if (!record || !record->page.pfnDlgProc)
        return 0;
    if (code == CalcPage_SetActive)
        ++host.showNotices;
    NMHDR header{host.tabs, 0, static_cast<UINT>(code)};
    SetWindowLongPtrW(host.page, DWLP_MSGRESULT, 0);   // a page that does not answer says 0
    record->page.pfnDlgProc(host.page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    return host.page ? GetWindowLongPtrW(host.page, DWLP_MSGRESULT) : 0;
}

void CalcTabs_ReactivatePage()
{
    CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
}

int CalcTabs_RefreshPage()
{
    CalcTabs_UpdateTabs();
    if (!Host().page)
        return 0;
    CalcTabs_NotifyCurrentPage(CalcPage_SetActive);
    return 1;
}

int CalcTabs_ValidatePage(HWND)
{
    if (!Host().page)
        return 0;
    CalcTabs_NotifyCurrentPage(CalcPage_Validate);
    return 1;
}

void CalcTabs_ClosePage()
{
    CalcTabsState& host = Host();
    host.page = nullptr;
    host.openSlot = -1;
    host.justOpened = false;
    for (KeptPage& kept : host.kept)
        DestroyKept(kept);
}

void CalcTabs_HidePage()
{
    CalcTabsState& host = Host();
    if (!host.page)
        return;
    KeptPage& kept = host.kept[host.openSlot];
    HWND focus = GetFocus();
    kept.focus = focus && IsChild(kept.window, focus) ? focus : nullptr;
    kept.helpContext = Shell().helpContext;
    host.page = nullptr;
    host.openSlot = -1;
    host.justOpened = false;
    ReentryGuard busy(Host().busy);
    Tooltip_Hide(kept.window);
    ShowWindow(kept.window, SW_HIDE);
}

int CalcTabs_UpdateTabs()
{
    CalcTabsState& host = Host();
    if (!host.tabs)
        return 0;
    BuildPageTable();
    int focused = CalcTabs_GetFocusedTab();
    const CalcPageRecord* focusedRecord = TabRecord(focused);
    int earlyTabs = 0;
    for (int slot = 0; slot < kCalcFirstLateSlot; ++slot) {
        if (!SlotHasPage(slot))
            continue;
        Tab_SetItem(host.tabs, earlyTabs++, host.records[slot].page.pszTitle,
                    reinterpret_cast<LPARAM>(&host.records[slot]));
    }
    // The cooling tab is not exchanged under an open cooling or freezing page.
    if (focusedRecord && focusedRecord->slot >= kCalcFirstLateSlot)
        return focused;
    for (int index = TabCount() - 1; index >= earlyTabs; --index)
        SendMessageW(host.tabs, TCM_DELETEITEM, index, 0);
    int index = earlyTabs;
    for (int slot = kCalcFirstLateSlot; slot < kCalcSlots; ++slot) {
        if (SlotHasPage(slot))
            InsertTab(index++, host.records[slot]);
    }
    return 0;
}

int CalcTabs_OnParentMessage(HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        CalcTabs_ValidatePage(window);
        return 0;
    }
    if (!FromTabControl(message, lParam))
        return 0;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case TCN_SELCHANGING:
        *result = OnSelectionChanging();
        return 1;
    case TCN_SELCHANGE:
        OnSelectionChanged();
        Host().justOpened = false;
        *result = 0;
        return 1;
    default:
        return 0;
    }
}

int CalcTabs_GetCurrentPageRecord(HWND tabs, CalcTabItem* item)
{
    if (!item)
        return -2;
    *item = {};
    if (!tabs)
        tabs = Host().tabs;
    int focused = tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0)) : -1;
    std::string caption;
    LPARAM record = 0;
    if (focused < 0 || !Tab_GetItem(tabs, focused, &caption, &record))
        return -1;
    Utf8_CopyCut(item->caption, sizeof item->caption, caption.c_str());
    item->record = reinterpret_cast<CalcPageRecord*>(record);
    return 0;
}

// The page covers the whole display area, so that no strip of the tab
// control's own background shows beside it.
void CalcTabs_PlacePage(HWND page)
{
    RECT area{};
    GetClientRect(Host().tabs, &area);
    SendMessageW(Host().tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CalcTabs_IsBusy()
{
    return Host().busy;
}

HWND CalcTabs_OpenPageWindow()
{
    return Host().page;
}

bool CalcTabs_PageJustOpened()
{
    return Host().justOpened;
}

uint32_t CalcTabs_ShowNoticeCount()
{
    return Host().showNotices;
}

int32_t CalcPage_NoticeCode(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY || wParam != 0 || !lParam || !Host().tabs)
        return 0;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return header->hwndFrom == Host().tabs ? static_cast<int32_t>(header->code) : 0;
}

void CalcPage_Answer(HWND page, LRESULT answer)
{
    SetWindowLongPtrW(page, DWLP_MSGRESULT, answer);
}

bool CalcPage_HandleNotice(HWND page, UINT message, WPARAM wParam, LPARAM lParam, CalcPageNoticeFn onNotice)
{
    int32_t code = CalcPage_NoticeCode(message, wParam, lParam);
    if (!code)
        return false;
    CalcPage_Answer(page, onNotice(page, code));
    return true;
}

namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";

// The longest run of whole words of text that shows whole in control with
// the ellipsis after it; a first word longer than that is cut between
// characters.
std::string ShortenAtWord(HWND control, const std::string& text)
{
    std::string kept = text;
    for (size_t blank = kept.find_last_of(' '); blank != std::string::npos; blank = kept.find_last_of(' ')) {
        kept.erase(blank);
        while (!kept.empty() && kept.back() == ' ')
            kept.pop_back();
        if (!kept.empty() && Dlg_TextFits(control, (kept + kEllipsis).c_str()))
            return kept + kEllipsis;
    }
    while (!kept.empty() && !Dlg_TextFits(control, (kept + kEllipsis).c_str())) {
        size_t end = kept.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(kept[end]) & 0xC0) == 0x80)
            --end;
        kept.erase(end);
    }
    return kept + kEllipsis;
}

} // namespace

void CalcPage_ShowLine(HWND page, int id, const std::string& text)
{
    HWND control = GetDlgItem(page, id);
    if (!control)
        return;
    bool whole = Dlg_TextFits(control, text.c_str());
    Wnd_SetText(control, whole ? text.c_str() : ShortenAtWord(control, text).c_str());
}

void CalcPage_SelectOnFocus(HWND page, int id, int code)
{
    if (code == EN_SETFOCUS)
        SendDlgItemMessageW(page, id, EM_SETSEL, 0, -1);
}

void CalcPage_FillRecord(CalcPageRecord* record, int templateId, uint16_t titleText, DLGPROC procedure)
{
    *record = {};
    record->page.dwSize = sizeof(record->page);
    record->page.hInstance = App().instance;
    record->page.pszTemplate = MAKEINTRESOURCEA(templateId);
    record->page.pszTitle = Shell_Text(titleText);
    record->page.pfnDlgProc = procedure;
}
