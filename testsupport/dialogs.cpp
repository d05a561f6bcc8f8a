// Running dialogs in a test: modeless dialogs from a template or a blank one,
// and the message pump that feeds them.
#include "testsupport/testsupport.h"

namespace {

bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

// A captioned popup without controls; the three empty WORDs are the menu,
// the class and the title.
struct alignas(4) BlankTemplate {
    DLGTEMPLATE header;
    WORD menu, windowClass, title;
};

}  // namespace

void Ts_PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogWindow(root) && IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TsDialog::TsDialog(HINSTANCE instance, int templateId, DLGPROC procedure, LPARAM param, HWND owner)
    : window_(CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, procedure, param))

{
    Ts_PumpMessages();
}

TsDialog::TsDialog(DLGPROC procedure, LPARAM param, HWND owner)
{
    BlankTemplate blank = {};
    blank.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    blank.header.cx = 200;
    blank.header.cy = 100;
    window_ = CreateDialogIndirectParamW(
GetModuleHandleA(nullptr), &blank.header, owner, procedure, param);
    Ts_PumpMessages();
}

TsDialog::~TsDialog()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
    Ts_PumpMessages();
}
