// Dialog tooltips: one tooltip control per dialog, one tool per described
// control, texts supplied on request from the dialog's text table.
#include "support/tooltips.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "outside/Lexmo100/lexmo.h"
#include <commctrl.h>
#include <cstring>

namespace {

// State of the dialog tooltips of this module: the wide text handed to a
// tooltip that asks in UTF-16; valid until the next request.
struct TooltipGlobals {
    wchar_t wideText[1024] = {};
};

TooltipGlobals& Tooltips()
{
    static TooltipGlobals globals;
    return globals;
}

struct ToolScan {
    HWND dialog;
    HWND tooltip;
    const DialogTextTable* table;
};

bool TableEnd(const DialogTextTable& row)
{
    return row.controlId == 0 && row.textId == 0;
}

bool HasRow(const DialogTextTable* table, int controlId)
{
    for (const DialogTextTable* row = table; !TableEnd(*row); ++row)
        if (row->controlId == controlId)
            return true;
    return false;
}

bool IsStaticText(HWND window)
{
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, "STATIC") == 0;
}

BOOL CALLBACK AddTool(HWND child, LPARAM context)
{
    const ToolScan& scan = *reinterpret_cast<const ToolScan*>(context);
    if (IsStaticText(child) || !HasRow(scan.table, GetDlgCtrlID(child)))
        return TRUE;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = scan.dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(scan.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

// The text of the tool that asks, or NULL when its control has no row.
const char* ToolText(const NMHDR& header, short textHandle, const DialogTextTable* table)
{
    if (!table)
        return nullptr;
    HWND tool = reinterpret_cast<HWND>(header.idFrom);
    int controlId = GetDlgCtrlID(tool);
    for (const DialogTextTable* row = table; !TableEnd(*row); ++row) {
        if (row->controlId == controlId) {
            if (row->literal)
                return row->literal;
            return TextAPI_GetText(textHandle, static_cast<TextId>(row->textId));
        }
    }
    return nullptr;
}

// Answers with the text as UTF-16 (the tools are Unicode tools of Unicode
// windows).
void AnswerTextRequest(NMHDR* header, short textHandle, const DialogTextTable* table)
{
    const char* text = ToolText(*header, textHandle, table);
    if (!text)
        return;
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(header);
    Dlg_CopyWide(Tooltips().wideText, ARRAYSIZE(Tooltips().wideText), text);
    request->lpszText = Tooltips().wideText;
    request->hinst = nullptr;
}

// A tooltip of a child dialog is owned by the dialog's top-level window.
BOOL CALLBACK HideOwnedTooltip(HWND window, LPARAM dialog)
{
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    HWND owner = GetWindow(window, GW_OWNER);
    HWND self = reinterpret_cast<HWND>(dialog);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && (owner == self || owner == GetAncestor(self, GA_ROOT)))
        SendMessageW(window, TTM_POP, 0, 0);
    return TRUE;
}

}  // namespace

void Tooltip_Hide(HWND dialog)
{
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), HideOwnedTooltip, reinterpret_cast<LPARAM>(dialog));
}

int Tooltip_Create(HWND dialog, short textHandle, const DialogTextTable* table)
{
    (void)textHandle;   // texts are fetched when a tooltip asks for them
    if (!dialog || !table)
        return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                                   nullptr, App().instance, nullptr);
    if (!tooltip)
        return 0;
    ToolScan scan{dialog, tooltip, table};
    EnumChildWindows(dialog, AddTool, reinterpret_cast<LPARAM>(&scan));
    return 1;
}

void Tooltip_HandleDialogMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam, short textHandle,
                                 const DialogTextTable* table)
{
    if (message == WM_INITDIALOG) {
        Tooltip_Create(dialog, textHandle, table);
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_NEEDTEXTW)

            AnswerTextRequest(header, textHandle, table);
    }
}
