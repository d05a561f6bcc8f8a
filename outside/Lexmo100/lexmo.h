// Lexmo100.dll: language texts by number, in several languages at once.
// Each module opens its own handle on TextAPI.db (schema TextAPI.ddq) and
// keeps its own current language; texts, language lists and language names
// come from that handle. Dialogs are translated from a DialogTextTable.
#pragma once
#include <windows.h>
#include <cstdint>

#ifdef LEXMO_BUILD
#define LEXMO_API extern "C" __declspec(dllexport)
#else
#define LEXMO_API extern "C" __declspec(dllimport)
#endif

using TextId = uint16_t;
using LanguageId = int16_t;

// The languages the texts are written in.
enum : LanguageId {
    kLangEnglish = 1512,   // the default
    kLangFinnish = 1514,
    kLangPolish = 1518,
    kLangSwedish = 1524,
    kLangRussian = 1528,
};

// One row of a dialog's text table; a row whose control id and text id are
// both 0 ends the table. Control id 0 is the dialog's own caption. The
// literal, when set, is what the dialog tooltips show in place of the text.
struct DialogTextTable {
    int32_t controlId;
    int32_t textId;
    const char* literal;
};

// Opens the texts in dbPath under the schema schemaPath and returns a new
// handle (1 or more) whose language is 1512, or -1 when either file is
// missing, damaged or foreign. Every call below also accepts a failed handle:
// texts then come back as placeholders.
LEXMO_API short TextAPI_Open(const char* dbPath, const char* schemaPath);

// Closes the handle; its texts and names are no longer valid afterwards.
LEXMO_API void TextAPI_Close(short handle);

// Records an option value on the handle and returns the previous value, or -1
// for an unknown handle or an option other than 0 and 1. The options steer
// nothing: every setting gives the same texts.
LEXMO_API short TextAPI_SetOption(short handle, short option, short value);

// The handle's current language (1512 for an unknown handle).
LEXMO_API LanguageId TextAPI_GetLanguage(short handle);

// Makes `language` the handle's current language. Returns 0, or -1 (and
// keeps the current language) when the texts have no such language.
LEXMO_API short TextAPI_SetLanguage(short handle, LanguageId language);

// The same as TextAPI_GetLanguage.
LEXMO_API LanguageId TextAPI_QueryLanguage(short handle);

// The text of `id` in the handle's current language; never NULL. An id with
// no text gives a visible placeholder such as "[40046]". The pointer stays
// valid, whatever else is fetched, until the handle is closed; do not free it.
LEXMO_API const char* TextAPI_GetText(short handle, TextId id);

// The name of `language` in that language itself ("Suomi", "Polski"), or a
// placeholder such as "[1513]" for a language the texts lack; never NULL,
// valid until the handle is closed. `flags` must be 0.
LEXMO_API const char* TextAPI_GetLanguageName(short handle, LanguageId language, short flags);

// Sets the caption (control id 0) and every control named in `table` to its
// text in the current language; rows for controls the dialog lacks and rows
// with text id 0 are passed over. Returns the number of texts set.
LEXMO_API int TextAPI_TranslateDialog(short handle, HWND dialog, const DialogTextTable* table);

// Write the ids of the interface languages (print-out languages) into `ids`,
// at most `max` of them in ascending order, followed by a 0 when room is
// left. Return the number of ids written.
LEXMO_API short TextAPI_GetLanguageIDList(short handle, LanguageId* ids, short max);
LEXMO_API short TextAPI_GetPrinterLanguageIDList(short handle, LanguageId* ids, short max);
