// Private to Lexmo100: the texts of one open database, held in memory, and
// the loader that reads them through the database engine.
#pragma once
#include "outside/Lexmo100/lexmo.h"
#include <map>
#include <string>
#include <unordered_map>

// Record classes and attributes of TextAPI.db. A "TX" record is keyed by the
// text id in decimal and holds one string attribute per language, numbered
// by the language id. An "LG" record is keyed by the language id in decimal.
inline constexpr const char* kTextClass = "TX";
inline constexpr const char* kLanguageClass = "LG";
inline constexpr int16_t kAttLanguageName = 501;   // string, in the language itself
inline constexpr int16_t kAttLanguageUse = 101;    // short, kUse... bits
inline constexpr int16_t kUseInterface = 1;
inline constexpr int16_t kUsePrintOut = 2;

struct LanguageInfo {
    std::string name;
    int16_t use = 0;
};

struct TextStore {
    std::map<LanguageId, LanguageInfo> languages;       // ascending ids
    std::unordered_map<uint32_t, std::string> texts;    // by TextStore_Key
};

inline uint32_t TextStore_Key(LanguageId language, TextId id)
{
    return (static_cast<uint32_t>(static_cast<uint16_t>(language)) << 16) | id;
}

// The stored text, or nullptr when the language has none for the id.
const std::string* TextStore_Find(const TextStore& store, LanguageId language, TextId id);

// Reads every language and text of the database into `store`. False when
// the files cannot be opened or read; `store` is then left empty.
bool TextStore_Load(const char* dbPath, const char* schemaPath, TextStore& store);
