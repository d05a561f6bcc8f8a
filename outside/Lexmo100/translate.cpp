// TextAPI_TranslateDialog: puts the current language's texts into a dialog's
// caption and controls from its DialogTextTable.
#include "outside/Lexmo100/lexmo.h"
#include <cstring>
#include <string>

namespace {

// Dialogs are Unicode windows: the UTF-8 text goes in as UTF-16.
bool SetText(HWND target, const char* text)
{
    std::wstring wide(text ? std::strlen(text) + 1 : 1, L'\0');
    int length = text ? MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), int(wide.size())) : 0;
    wide.resize(length > 0 ? size_t(length) - 1 : 0);
    return SetWindowTextW(target, wide.c_str()) != FALSE;
}

}  // namespace

LEXMO_API int TextAPI_TranslateDialog(short handle, HWND dialog, const DialogTextTable* table)
{
    if (!dialog || !table) return 0;
    int done = 0;
    for (const DialogTextTable* row = table; row->controlId != 0 || row->textId != 0; ++row) {
        if (row->textId <= 0 || row->textId > 0xFFFF) continue;
        HWND target = row->controlId == 0 ? dialog : GetDlgItem(dialog, row->controlId);
        if (!target) continue;
        const char* text = TextAPI_GetText(handle, static_cast<TextId>(row->textId));
        if (SetText(target, text)) ++done;

    }
    return done;
}
