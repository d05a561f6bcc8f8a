// The list of modeless dialogs that the message loop offers keyboard
// messages to (calculation pages, print dialog pages).
#include "VlInterface/shell.h"

int ModelessDlg_Add(HWND window)
{
    if (!window)
        return 0;
    for (HWND& slot : Shell().modeless) {
        if (!slot) {
            slot = window;
            return 1;
        }
    }
    return 0;
}

int ModelessDlg_Remove(HWND window)
{
    if (!window)
        return 0;
    for (HWND& slot : Shell().modeless) {
        if (slot == window) {
            slot = nullptr;
            return 1;
        }
    }
    return 0;
}

int ModelessDlg_PreTranslate(MSG* message)
{
    for (HWND slot : Shell().modeless) {
        if (slot && IsDialogMessageW(slot, message))
            return 1;
    }
    return 0;
}
