// Answering dialog boxes in a test. A thread CBT hook sees each top-level
// window activated; a dialog box is subclassed and sent a private message
// through its own queue, so it is answered once its modal loop runs and its
// texts are set: caption and text recorded, the action run, the button pressed.
// A box of another process is found by polling its top-level windows.
#include "testsupport/testsupport.h"
#include <algorithm>

namespace {

constexpr char kOldProcedure[] = "TsBoxOldProcedure";

// The hook and the subclass procedure have no context of their own.
struct BoxGlobals {
    TsBoxAnswerer* answerer = nullptr;
    UINT answerMessage = 0;  // registered on first use
};

BoxGlobals& Boxes()
{
    static BoxGlobals globals;
    return globals;
}

bool HasClass(HWND window, const char* className)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM found)
{
    auto* text = reinterpret_cast<std::string*>(found);
    if (!HasClass(child, "Static"))
        return TRUE;
    *text = Ts_WindowText(child);
    return text->empty();
}

LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(GetPropA(box, kOldProcedure));
    if (message == Boxes().answerMessage) {
        if (Boxes().answerer)
            Boxes().answerer->Answer(box);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(box, kOldProcedure);
    }
    return CallWindowProcW(old, box, message, wParam, lParam);
}

void Subclass(HWND box)
{
    LONG_PTR old = SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProcedure));
    SetPropA(box, kOldProcedure, reinterpret_cast<HANDLE>(old));
    PostMessageW(box, Boxes().answerMessage, 0, 0);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    // A box is activated again whenever it regains the focus: take it once.
    if (code == HCBT_ACTIVATE && HasClass(window, "#32770") && !GetPropA(window, kOldProcedure))
        Subclass(window);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct ProcessBoxSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindProcessBox(HWND window, LPARAM search)
{
    auto* s = reinterpret_cast<ProcessBoxSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !HasClass(window, "#32770") || !IsWindowVisible(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

}  // namespace

TsSeenBox Ts_AnswerProcessBox(DWORD processId, int button, DWORD timeoutMs)
{
    ProcessBoxSearch search{processId};
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        EnumWindows(FindProcessBox, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            break;
        Sleep(50);
    }
    TsSeenBox seen;
    if (!search.found)
        return seen;
    seen.caption = Ts_WindowText(search.found);
    EnumChildWindows(search.found, FindStaticText, reinterpret_cast<LPARAM>(&seen.text));
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.found, button)));
    return seen;
}

TsBoxAnswerer::TsBoxAnswerer(int button, const char* caption, Action action)
    : button_(button), caption_(caption ? caption : ""), anyCaption_(caption == nullptr),
      action_(std::move(action))
{
    if (!Boxes().answerMessage)
        Boxes().answerMessage = RegisterWindowMessageA("TsAnswerBox");
    Boxes().answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

TsBoxAnswerer::~TsBoxAnswerer()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    Boxes().answerer = nullptr;
}

void TsBoxAnswerer::Answer(HWND box)
{
    TsSeenBox seen;
    seen.caption = Ts_WindowText(box);
    if (!anyCaption_ && seen.caption != caption_)
        return;
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&seen.text));
    boxes_.push_back(seen);
    if (action_)
        action_(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
}
