// The text sources of data/texts checked against each other and against the
// code: every language has exactly the texts of English, none empty, and
// every text id the code uses exists. The code is scanned at test time, so
// the check grows with it. Ids are found in product sources (tests and
// benchmarks are left out) on one line by these patterns:
//   TextAPI_GetText(handle, 40046)         ErrorList_Insert(obj, sev, 40046, ...)
//   SomeText(40046), SomeText(x, 40046)    for any function or wrapper named ...Text
//   kSomeTextId = 40046, SOME_TEXT = 40046 names holding "Text"/"TEXT" set to a number
//   rows {control, 40046, ...} of a DialogTextTable array
#include <gtest/gtest.h>
#include "outside/Lexmo100/lexmo.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Texts = std::map<long, std::string>;

struct LanguageFile {
    std::string name;
    long language = 0;
    Texts texts;
};

// One token of a table line: a bare word or a quoted field with its escapes.
bool NextField(const std::string& line, size_t& pos, std::string& field)
{
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size()) return false;
    field.clear();
    if (line[pos] != '"') {
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') field += line[pos++];
        return true;
    }
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            if (pos + 1 < line.size() && line[pos + 1] == '"') { field += '"'; ++pos; continue; }
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            char e = line[++pos];
            field += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
            continue;
        }
        field += c;
    }
    return true;
}

// Reads the "TX" records of one language file ("columns key <language>:string").
LanguageFile ReadLanguageFile(const fs::path& path)
{
    LanguageFile file;
    file.name = path.filename().string();
    std::ifstream in(path, std::ios::binary);
    std::string line, cls;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t pos = 0;
        std::string first, second;
        if (!NextField(line, pos, first) || first[0] == '#') continue;
        if (first == "class") { NextField(line, pos, cls); continue; }
        if (first == "columns") {
            NextField(line, pos, second);   // key
            NextField(line, pos, second);
            file.language = std::stol(second);
            continue;
        }
        if (cls != "TX" || !NextField(line, pos, second)) continue;
        long id = std::stol(first);
        EXPECT_FALSE(file.texts.count(id)) << file.name << ": text " << id << " twice";
        file.texts[id] = second;
    }
    return file;
}

fs::path SourceRoot() { return fs::path(VL_SOURCE_DIR); }

std::vector<LanguageFile> ReadAllLanguages()
{
    std::vector<LanguageFile> files;
    for (const auto& entry : fs::directory_iterator(SourceRoot() / "data" / "texts")) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".tab" && isdigit(static_cast<unsigned char>(name[0])))
            files.push_back(ReadLanguageFile(entry.path()));
    }
    return files;
}

const LanguageFile* English(const std::vector<LanguageFile>& files)
{
    for (const LanguageFile& f : files)
        if (f.language == 1512) return &f;
    return nullptr;
}

struct UsedId {
    long id;
    std::string where;
};

// Numbers the generic patterns accept: the ranges text ids are given in.
bool InTextRange(long id)
{
    return (id >= 1 && id <= 3) || (id >= 700 && id <= 65535);
}

void ScanLine(const std::string& line, const std::string& where, std::vector<UsedId>& used)
{
    // An argument before the id: anything but a comma, with one level of calls.
    static const std::string arg = R"((?:[^,()]|\([^()]*\))+)";
    static const std::regex exact[] = {
        std::regex(R"(TextAPI_GetText\s*\()" + arg + R"(,\s*(\d+)\s*\))"),
        std::regex(R"(ErrorList_Insert\s*\()" + arg + "," + arg + R"(,\s*(\d+)\s*[,)])"),
    };
    static const std::regex generic[] = {
        std::regex(R"(\b[A-Za-z_]\w*Text\s*\(\s*(?:)" + arg + R"(,\s*)?(\d+)\s*\))"),
        std::regex(R"(\b\w*(?:Text|TEXT)\w*\s*=\s*(\d+)\s*[;,])"),
    };
    auto collect = [&](const std::regex& re, bool anyNumber) {
        for (std::sregex_iterator it(line.begin(), line.end(), re), end; it != end; ++it) {
            long id = std::stol((*it)[1].str());
            if (id > 0 && (anyNumber || InTextRange(id))) used.push_back({id, where});
        }
    };
    for (const auto& re : exact) collect(re, true);
    for (const auto& re : generic) collect(re, false);
}

// Rows of every "DialogTextTable name[] = { ... };" in the file.
void ScanDialogTables(const std::string& text, const std::string& file, std::vector<UsedId>& used)
{
    static const std::regex row(R"(\{\s*[^,{}]+?\s*,\s*(\d+)\s*(?:,[^{}]*)?\})");
    for (size_t at = text.find("DialogTextTable"); at != std::string::npos;
         at = text.find("DialogTextTable", at + 1)) {
        size_t stop = text.find_first_of(";(", at);
        size_t open = text.find("= {", at);
        if (open == std::string::npos) open = text.find("={", at);
        if (open == std::string::npos || open > stop) continue;   // not a table definition
        size_t begin = text.find('{', open), end = begin;
        for (int depth = 0; end < text.size(); ++end) {
            if (text[end] == '{') ++depth;
            if (text[end] == '}' && --depth == 0) break;
        }
        std::string block = text.substr(begin + 1, end - begin - 1);
        size_t line = 1 + std::count(text.begin(), text.begin() + begin, '\n');
        for (std::sregex_iterator it(block.begin(), block.end(), row), e; it != e; ++it) {
            long id = std::stol((*it)[1].str());
            if (id > 0) used.push_back({id, file + ":" + std::to_string(line) + " (table)"});
        }
    }
}

bool SkippedFolder(const fs::path& path)
{
    std::string name = path.filename().string();
    return name.empty() || name[0] == '.' || name.rfind("build", 0) == 0 || name == "tests" ||
           name == "bench" || name == "data";
}

// Scans the product sources; `files` counts the files read.
std::vector<UsedId> ScanSources(int& files)
{
    std::vector<UsedId> used;
    files = 0;
    fs::recursive_directory_iterator it(SourceRoot()), end;
    for (; it != end; ++it) {
        if (it->is_directory()) {
            if (SkippedFolder(it->path())) it.disable_recursion_pending();
            continue;
        }
        std::string ext = it->path().extension().string();
        if (ext != ".cpp" && ext != ".h" && ext != ".rc") continue;
        ++files;
        std::ifstream in(it->path(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        std::string text = all.str();
        std::string file = fs::relative(it->path(), SourceRoot()).generic_string();
        std::istringstream lines(text);
        std::string line;
        for (int n = 1; std::getline(lines, line); ++n) ScanLine(line, file + ":" + std::to_string(n), used);
        ScanDialogTables(text, file, used);
    }
    return used;
}

TEST(TextSources, EveryLanguageHasExactlyTheTextsOfEnglishAndNoneIsEmpty)
{
    std::vector<LanguageFile> files = ReadAllLanguages();
    const std::set<long> languages = {1512, 1514, 1518, 1524, 1528};
    std::set<long> found;
    for (const LanguageFile& f : files) found.insert(f.language);
    ASSERT_EQ(found, languages);
    const LanguageFile* english = English(files);
    ASSERT_GT(english->texts.size(), 300u);
    for (const LanguageFile& f : files) {
        for (const auto& [id, text] : english->texts)
            EXPECT_TRUE(f.texts.count(id)) << f.name << " lacks text " << id;
        for (const auto& [id, text] : f.texts) {
            EXPECT_TRUE(english->texts.count(id)) << f.name << " has text " << id << " that English lacks";
            EXPECT_FALSE(text.empty()) << f.name << ": text " << id << " is empty";
            EXPECT_TRUE(id > 0 && id <= 65535) << f.name << ": text id " << id;
        }
    }
}

// The patterns of a file filter: every second field between the "|".
std::vector<std::string> FilterPatterns(const std::string& filter)
{
    std::vector<std::string> patterns;
    std::istringstream fields(filter);
    std::string description, pattern;
    while (std::getline(fields, description, '|') && std::getline(fields, pattern, '|'))
        patterns.push_back(pattern);
    return patterns;
}

TEST(TextSources, TextsWithAFixedFormHaveItInEveryLanguage)
{
    std::vector<LanguageFile> files = ReadAllLanguages();
    ASSERT_NE(English(files), nullptr);
    for (const LanguageFile& f : files) {
        EXPECT_EQ(f.texts.at(1), "Velmo") << f.name;
        EXPECT_EQ(f.texts.at(2), "Varmelin") << f.name;
        const std::string& help = f.texts.at(3);
        EXPECT_EQ(help.find_first_of("\\/:"), std::string::npos) << f.name << ": help file " << help;
        EXPECT_EQ(help.substr(help.size() - 4), ".hlp") << f.name;
        const std::string& filter = f.texts.at(10002);
        EXPECT_EQ(std::count(filter.begin(), filter.end(), '|') % 2, 1) << f.name << ": " << filter;
        EXPECT_NE(filter.find("|*.WDF"), std::string::npos) << f.name << ": " << filter;
        EXPECT_EQ(FilterPatterns(filter), FilterPatterns(English(files)->texts.at(10002))) << f.name;
    }
}

// What a text must keep whatever its language: the printf conversions in
// their order (a text used as a format must not crash or misformat), every
// other "%", the tabs before shortcuts and the shortcuts themselves, the "|"
// of a file filter, line breaks and the "&" of an access key.
std::vector<std::string> FixedParts(const std::string& text)
{
    static const std::regex conversion(R"(%[-+ #0]*(?:\*|\d+)?(?:\.(?:\*|\d+))?(?:hh|h|ll|l|L|z|j|t)?[diouxXeEfgGcspn%]|%)");
    std::vector<std::string> parts;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it)
        parts.push_back(it->str());
    for (char c : {'|', '\n', '&'})
        parts.push_back(std::string(1, c) + " x" + std::to_string(std::count(text.begin(), text.end(), c)));
    size_t tab = text.find('\t');
    parts.push_back(tab == std::string::npos ? "no tab" : "tab " + text.substr(tab));
    return parts;
}

TEST(TextSources, FormatsShortcutsAndSeparatorsAreTheSameInEveryLanguage)
{
    std::vector<LanguageFile> files = ReadAllLanguages();
    const LanguageFile* english = English(files);
    ASSERT_NE(english, nullptr);
    for (const LanguageFile& f : files) {
        for (const auto& [id, text] : f.texts) {
            auto it = english->texts.find(id);
            if (it == english->texts.end())
                continue;   // reported by the test of the ids
            EXPECT_EQ(FixedParts(text), FixedParts(it->second))
                << f.name << ": text " << id << " \"" << text << "\" against \"" << it->second << '"';
        }
    }
    EXPECT_EQ(FixedParts("%s: %.1f %s"), (std::vector<std::string>{"%s", "%.1f", "%s", "| x0", "\n x0",
                                                                 "& x0", "no tab"}));
    EXPECT_EQ(FixedParts("&Contents\tF1 100%"),
              (std::vector<std::string>{"%", "| x0", "\n x0", "& x1", "tab \tF1 100%"}));
}

// The access key of a menu text: the character after its "&", lower case.
std::wstring AccessKey(const std::string& text)
{
    size_t amp = text.find('&');
    if (amp == std::string::npos || amp + 1 >= text.size())
        return L"";
    wchar_t wide[8] = {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str() + amp + 1, -1, wide, 7);
    if (n <= 0 && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return L"";
    std::wstring key(1, wide[0]);
    CharLowerBuffW(key.data(), 1);
    return key;
}

TEST(TextSources, AccessKeysAreUniqueWithinEachMenu)
{
    // The main window's menus: the bar, then each pop-up's items.
    const std::vector<std::vector<long>> menus = {
        {9164, 20001, 20005, 20008, 9189},
        {9254, 9269, 9341, 9343, 20000, 9159},
        {20002, 20003, 20004},
        {20006, 20007},
        {20009},
        {9079, 9005},
    };
    for (const LanguageFile& f : ReadAllLanguages()) {
        for (const std::vector<long>& menu : menus) {
            std::map<std::wstring, long> taken;
            for (long id : menu) {
                std::wstring key = AccessKey(f.texts.at(id));
                EXPECT_FALSE(key.empty()) << f.name << ": text " << id << " has no access key";
                auto [it, fresh] = taken.emplace(key, id);
                EXPECT_TRUE(fresh) << f.name << ": texts " << it->second << " and " << id << " share a key";
            }
        }
    }
}

// The name text ids (attribute 1201) of the "CM" surface-material records in
// the other table sources of data/.
void ScanMaterialNames(std::vector<UsedId>& used)
{
    for (const auto& entry : fs::recursive_directory_iterator(SourceRoot() / "data")) {
        if (entry.path().extension() != ".tab" || entry.path().parent_path().filename() == "texts")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line, cls;
        int nameColumn = -1;
        for (int n = 1; std::getline(in, line); ++n) {
            size_t pos = 0;
            std::string field;
            std::vector<std::string> fields;
            while (NextField(line, pos, field)) fields.push_back(field);
            if (fields.empty() || fields[0][0] == '#') continue;
            if (fields[0] == "class") { cls = fields.size() > 1 ? fields[1] : ""; continue; }
            if (fields[0] == "columns") {
                auto it = std::find(fields.begin(), fields.end(), "1201:long");
                nameColumn = it == fields.end() ? -1 : static_cast<int>(it - fields.begin() - 1);
                continue;
            }
            if (cls == "CM" && nameColumn >= 0 && nameColumn < static_cast<int>(fields.size()))
                used.push_back({std::stol(fields[nameColumn]),
                                entry.path().filename().string() + ":" + std::to_string(n)});
        }
    }
}

TEST(TextSources, EveryTextIdTheCodeUsesExistsInEveryLanguage)
{
    std::vector<LanguageFile> files = ReadAllLanguages();
    int scanned = 0;
    std::vector<UsedId> used = ScanSources(scanned);
    ASSERT_GT(scanned, 10) << "the sources were not found under " << SourceRoot();
    ScanMaterialNames(used);
    for (const UsedId& u : used)
        for (const LanguageFile& f : files)
            EXPECT_TRUE(f.texts.count(u.id)) << u.where << " uses text " << u.id << ", missing in " << f.name;
}

// The path of a file beside Lexmo100.dll, where the build puts the texts.
std::string BesideLibrary(const char* name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("Lexmo100.dll"), path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

TEST(CompiledTexts, EveryTextOfTheSourcesComesBackInItsLanguage)
{
    short h = TextAPI_Open(BesideLibrary("TextAPI.db").c_str(), BesideLibrary("TextAPI.ddq").c_str());
    ASSERT_GT(h, 0) << BesideLibrary("TextAPI.db");
    LanguageId ids[30] = {}, printIds[30] = {};
    EXPECT_EQ(TextAPI_GetLanguageIDList(h, ids, 29), 5);
    EXPECT_EQ(TextAPI_GetPrinterLanguageIDList(h, printIds, 29), 5);
    EXPECT_STREQ(TextAPI_GetLanguageName(h, kLangFinnish, 0), "Suomi");
    EXPECT_STREQ(TextAPI_GetLanguageName(h, kLangRussian, 0), "Русский");
    for (const LanguageFile& f : ReadAllLanguages()) {
        ASSERT_EQ(TextAPI_SetLanguage(h, static_cast<LanguageId>(f.language)), 0) << f.name;
        for (const auto& [id, text] : f.texts)
            EXPECT_EQ(TextAPI_GetText(h, static_cast<TextId>(id)), text) << f.name << " text " << id;
    }
    TextAPI_Close(h);
}

TEST(TextSources, TheScannerFindsEachPattern)
{
    std::vector<UsedId> used;
    ScanLine("  s = TextAPI_GetText(App().texts, 5);", "a", used);
    ScanLine("ErrorList_Insert(0, -2, 40046, nullptr, 0, nullptr);", "b", used);
    ScanLine("SetWindowTextA(w, VlUtil_Text(20047));", "c", used);
    ScanLine("constexpr long NoMaterialTextId = 20043;", "d", used);
    ScanLine("Field_SetText(hwnd, 5); x = Count(40046);", "e", used);   // not text ids
    ScanDialogTables("static const DialogTextTable kTable[] = {\n  {0, 20047, nullptr},\n"
                     "  {IDC_OK, 9266, nullptr}, {7, 0, \"literal\"}, {0, 0, nullptr}};\n",
                     "f", used);
    std::vector<long> ids;
    for (const UsedId& u : used) ids.push_back(u.id);
    EXPECT_EQ(ids, (std::vector<long>{5, 40046, 20047, 20043, 20047, 9266}));
}

}  // namespace
