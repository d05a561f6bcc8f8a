// Message boxes of the module: caption, modality and focus handling shared by
// every box kind, and the bounded formatted box.
#include "support/msgbox.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/utf8.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

int MsgBox_Show(HWND owner, const char* text, UINT flags)
{
    if (!owner)
        flags |= MB_TASKMODAL;
    HWND focus = GetFocus();
    int result = Wnd_MessageBox(owner, text, App().title, flags);
    if (focus && IsWindow(focus))
        SetFocus(focus);
    return result;
}

int MsgBox_Info(HWND owner, const char* text)
{
    return MsgBox_Show(owner, text, MB_ICONINFORMATION | MB_OK);
}

int MsgBox_OkCancel(HWND owner, const char* text)
{
    return MsgBox_Show(owner, text, MB_ICONQUESTION | MB_OKCANCEL);
}

int MsgBox_YesNo(HWND owner, const char* text)
{
    return MsgBox_Show(owner, text, MB_ICONQUESTION | MB_YESNO);
}

int MsgBox_YesNoCancel(HWND owner, const char* text)
{
    return MsgBox_Show(owner, text, MB_ICONQUESTION | MB_YESNOCANCEL);
}

int MsgBox_Printf(HWND owner, const char* format, ...)
{
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    // Format in full first, so the cut below can see where characters end.
    std::vector<char> full(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    if (length > 0)
        std::vsnprintf(full.data(), full.size(), format, again);
    va_end(again);
    char text[kMsgBoxPrintfSize];
    Utf8_CopyCut(text, sizeof text, full.data());
    return MsgBox_Info(owner, text);
}

void MsgBox_SetButtonTexts(const char* ok, const char* cancel, const char* yes, const char* no)
{
    const char* texts[4] = {ok, cancel, yes, no};
    for (int i = 0; i < 4; ++i) {
        char* caption = App().buttonTexts[i];
        std::memset(caption, 0, kButtonTextSize);
        if (texts[i])
            Utf8_CopyCut(caption, 31, texts[i]);
    }
}
