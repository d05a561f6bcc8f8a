// The exports of Lexmo100.dll: handles with their own current language, texts
// that stay valid while the handle is open, language lists and names. The
// store itself is loaded by store_load.cpp; dialogs are translated in
// translate.cpp.
#include "outside/Lexmo100/text_store.h"
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct TextHandle {
    TextStore store;
    LanguageId language = kLangEnglish;
    short options[2] = {};
    // Placeholders handed out, kept so that each pointer stays valid.
    std::unordered_map<uint32_t, std::string> placeholders;
};

// Module state: the open handles (handle n is slot n - 1; slots are never
// reused, so a closed handle stays unknown) and the handle that stands in
// for an unknown or failed one.
struct LexmoGlobals {
    std::vector<std::unique_ptr<TextHandle>> handles;
    TextHandle none;
};

LexmoGlobals& G()
{
    static LexmoGlobals globals;
    return globals;
}

TextHandle* FindHandle(short handle)
{
    auto& handles = G().handles;
    if (handle < 1 || static_cast<size_t>(handle) > handles.size()) return nullptr;
    return handles[handle - 1].get();
}

// The handle, or the stand-in without texts for an unknown one.
TextHandle& HandleOrNone(short handle)
{
    TextHandle* h = FindHandle(handle);
    return h ? *h : G().none;
}

const char* Placeholder(TextHandle& h, uint32_t key, unsigned number)
{
    auto [it, added] = h.placeholders.try_emplace(key);
    if (added) {
        char text[16];
        snprintf(text, sizeof text, "[%u]", number);
        it->second = text;
    }
    return it->second.c_str();
}

short ListLanguages(short handle, LanguageId* ids, short max, int16_t use)
{
    if (!ids || max <= 0) return 0;
    short count = 0;
    for (const auto& [id, info] : HandleOrNone(handle).store.languages) {
        if (count == max) return count;
        if (info.use & use) ids[count++] = id;
    }
    if (count < max) ids[count] = 0;
    return count;
}

}  // namespace

const std::string* TextStore_Find(const TextStore& store, LanguageId language, TextId id)
{
    auto it = store.texts.find(TextStore_Key(language, id));
    return it == store.texts.end() ? nullptr : &it->second;
}

LEXMO_API short TextAPI_Open(const char* dbPath, const char* schemaPath)
{
    auto& handles = G().handles;
    if (!dbPath || !schemaPath || handles.size() >= 32767) return -1;
    auto h = std::make_unique<TextHandle>();
    if (!TextStore_Load(dbPath, schemaPath, h->store)) return -1;
    handles.push_back(std::move(h));
    return static_cast<short>(handles.size());
}

LEXMO_API void TextAPI_Close(short handle)
{
    if (FindHandle(handle)) G().handles[handle - 1].reset();
}

LEXMO_API short TextAPI_SetOption(short handle, short option, short value)
{
    TextHandle* h = FindHandle(handle);
    if (!h || option < 0 || option > 1) return -1;
    short previous = h->options[option];
    h->options[option] = value;
    return previous;
}

LEXMO_API LanguageId TextAPI_GetLanguage(short handle)
{
    return HandleOrNone(handle).language;
}

LEXMO_API LanguageId TextAPI_QueryLanguage(short handle)
{
    return TextAPI_GetLanguage(handle);
}

LEXMO_API short TextAPI_SetLanguage(short handle, LanguageId language)
{
    TextHandle* h = FindHandle(handle);
    if (!h || !h->store.languages.count(language)) return -1;
    h->language = language;
    return 0;
}

LEXMO_API const char* TextAPI_GetText(short handle, TextId id)
{
    TextHandle& h = HandleOrNone(handle);
    if (const std::string* text = TextStore_Find(h.store, h.language, id)) return text->c_str();
    return Placeholder(h, id, id);
}

LEXMO_API const char* TextAPI_GetLanguageName(short handle, LanguageId language, short)
{
    TextHandle& h = HandleOrNone(handle);
    auto it = h.store.languages.find(language);
    if (it != h.store.languages.end() && !it->second.name.empty()) return it->second.name.c_str();
    // Language placeholders live apart from text placeholders (bit 16 set).
    return Placeholder(h, 0x10000u | static_cast<uint16_t>(language), static_cast<uint16_t>(language));
}

LEXMO_API short TextAPI_GetLanguageIDList(short handle, LanguageId* ids, short max)
{
    return ListLanguages(handle, ids, max, kUseInterface);
}

LEXMO_API short TextAPI_GetPrinterLanguageIDList(short handle, LanguageId* ids, short max)
{
    return ListLanguages(handle, ids, max, kUsePrintOut);
}
