// The calculation tab host: the tab control in the middle of the main window
// whose selected tab shows its calculation page as a modeless child dialog
// (a page left for another tab is kept hidden and shown again with -200),
// and the notification protocol the host speaks with the open page. The
// pages themselves, and which page each slot holds, live beside it.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <cstdint>
#include <string>

// Slots of the tab row: project information, insulation target, insulation
// calculation, cooling (pipe or tank by the object) and freezing.
constexpr int kCalcSlots = 5;
constexpr int kCalcFirstLateSlot = 3;   // cooling and freezing come after the first three

// A page's description, filled by its page-information function: the fields
// of a property-sheet page (template, tab title, dialog procedure) and its slot.
struct CalcPageRecord {
    PROPSHEETPAGEA_V2 page;
    int32_t slot;
};
using CalcPageInfoFn = void (*)(CalcPageRecord* record);

// The page of each slot; null while a slot has no page (it gets no tab). A
// slot's function may choose its page by the loaded system (it is asked
// again at every retitling).
struct CalcSlotTable {
    CalcPageInfoFn pages[kCalcSlots];
};
extern const CalcSlotTable g_calcSlots;

// Codes of the notifications {tab control, 0, code} the host delivers to the
// open page's procedure as WM_NOTIFY with wParam 0. The page answers in its
// DWLP_MSGRESULT (CalcPage_HandleNotice).
enum CalcPageCode : int32_t {
    CalcPage_SetActive = -200,          // load the record and show it
    CalcPage_KillActive = -201,         // being left: store; non-zero refuses
    CalcPage_Apply = -202,              // the host is being destroyed
    CalcPage_Saved = 503,               // the project was saved
    CalcPage_Validate = 1025,           // read the fields: 0 valid, 2 not
    CalcPage_WeatherChanged = 1026,
    CalcPage_InsulationDataChanged = 1027,
    CalcPage_SettingsChanged = 1028,
    CalcPage_MayLeave = 2948,           // 0 when the page may go now
};
constexpr LRESULT kCalcPageInvalid = 2;

// Creates the tab control as child id of parent over rect (the parent's
// client area when null), with the tabs of the first three slots, and opens
// the first page. 0, or -1 when the control cannot be created.
int CalcTabs_Create(HWND parent, int id, const RECT* rect);

// Tells the open page that the host goes (-202), closes it and destroys the
// tab control. 1, or 0 when there is no tab control.
int CalcTabs_Destroy();

// Selects tab index and makes its page open and active (the open page may
// refuse to be left). An index without a tab does nothing.
void CalcTabs_SelectPage(int index);

// Index of the focused tab; 0 without a tab control.
int CalcTabs_GetFocusedTab();

// Delivers code to the open page and returns its answer; 0 when no page is open.
LRESULT CalcTabs_NotifyCurrentPage(int32_t code);

// Sends -200 to the open page.
void CalcTabs_ReactivatePage();

// Retitles the tabs and sends -200 to the open page: 1 when sent, else 0.
int CalcTabs_RefreshPage();

// Sends 1025 to the open page: 1 when sent, else 0.
int CalcTabs_ValidatePage(HWND window);

// Destroys the open page and the pages kept hidden (without a notification):
// for a project or language that replaces what they show.
void CalcTabs_ClosePage();

// Hides the open page (without a notification), remembering its focused
// control and help topic; it is kept and shown again with -200, also for
// another system of the project.
void CalcTabs_HidePage();

// Rebuilds the slots and retitles the tabs; below an open cooling or
// freezing page the late tabs are kept as they are. Returns the focused
// index when that page is a late one, else 0.
int CalcTabs_UpdateTabs();

// The parent window offers every message here first: 1 when the host
// handled it (result set), 0 to go on. Handles the tab control's selection
// notifications and sends 1025 to the open page on every command.
int CalcTabs_OnParentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The focused tab of tabs (the host's own tab control when null): its
// caption, at most 78 bytes, and its page record. The record belongs to the
// host and lives until the next retitling.
struct CalcTabItem {
    char caption[79];
    CalcPageRecord* record;
};
// 0 with item filled; -1 when no tab is focused; -2 for a null item.
int CalcTabs_GetCurrentPageRecord(HWND tabs, CalcTabItem* item);

// A page calls this from WM_INITDIALOG: places it over the tab's display area.
void CalcTabs_PlacePage(HWND page);

// 1 while a page is being created, hidden, shown again or destroyed: pages
// ignore the field notifications of that moment.
bool CalcTabs_IsBusy();

// The open page window, or null.
HWND CalcTabs_OpenPageWindow();

// True while the tab change or selection that created the open page still
// runs: the page has just shown the loaded system, and nothing has changed
// it since, so that its activation need not show it again.
bool CalcTabs_PageJustOpened();

// How many -200 notices the host has delivered to its pages since it was
// created: one each tab change and system switch.
uint32_t CalcTabs_ShowNoticeCount();

// For a page's dialog procedure: the code of a host notification (WM_NOTIFY
// with wParam 0 from the tab control), else 0.
int32_t CalcPage_NoticeCode(UINT message, WPARAM wParam, LPARAM lParam);

// Sets the page's answer to the host.
void CalcPage_Answer(HWND page, LRESULT answer);

// For a page's dialog procedure: hands a host notification to onNotice and
// leaves its result as the page's answer. True when the message was one.
using CalcPageNoticeFn = LRESULT (*)(HWND page, int32_t code);
bool CalcPage_HandleNotice(HWND page, UINT message, WPARAM wParam, LPARAM lParam, CalcPageNoticeFn onNotice);

// Shows text in a page's result line: whole when it fits the line (on as
// many lines as it has room for), else shortened after its last word that
// fits, with "…".
void CalcPage_ShowLine(HWND page, int id, const std::string& text);

// An edit field of a page that gains the focus has its whole text selected.
void CalcPage_SelectOnFocus(HWND page, int id, int code);

// Fills a page record with the module's instance and the given
// template, title text and procedure.
void CalcPage_FillRecord(CalcPageRecord* record, int templateId, uint16_t titleText, DLGPROC procedure);
