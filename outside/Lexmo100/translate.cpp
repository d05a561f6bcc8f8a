// TextAPI_TranslateDialog: puts the current language's texts into a dialog's
// caption and controls from its DialogTextTable.
#include "outside/Lexmo100/lexmo.h"

LEXMO_API int TextAPI_TranslateDialog(short handle, HWND dialog, const DialogTextTable* table)
{
    if (!dialog || !table) return 0;
    int done = 0;
    for (const DialogTextTable* row = table; row->controlId != 0 || row->textId != 0; ++row) {
        if (row->textId <= 0 || row->textId > 0xFFFF) continue;
        HWND target = row->controlId == 0 ? dialog : GetDlgItem(dialog, row->controlId);
        if (!target) continue;
        const char* text = TextAPI_GetText(handle, static_cast<TextId>(row->textId));
        if (SetWindowTextA(target, text)) ++done;
    }
    return done;
}
