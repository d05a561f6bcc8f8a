// Lexmo100 on databases that each test writes through the engine: texts in
// every language, the language kept per handle, placeholders, stable
// pointers, language lists and names, and a real dialog translated.
#include <gtest/gtest.h>
#include "outside/Lexmo100/lexmo.h"
#include "outside/Torbase200/torbase.h"
#include "testsupport/testsupport.h"
#include "test_dialog.h"
#include <string>
#include <vector>

namespace {

struct LanguageRow { LanguageId id; const char* name; int16_t use; };
struct TextRow { TextId id; LanguageId language; const char* text; };

const LanguageRow kLanguages[] = {
    {1512, "English", 3}, {1514, "Suomi", 3}, {1518, "Polski", 3},
    {1524, "Svenska", 3}, {1528, "Русский", 3},
    {1530, "Interface only", 1}, {1531, "Print only", 2},
};

const TextRow kTexts[] = {
    {9266, 1512, "OK"}, {9266, 1514, "OK"}, {9266, 1518, "OK"}, {9266, 1524, "OK"},
    {9266, 1528, "ОК"},
    {20047, 1512, "Errors"}, {20047, 1514, "Virheet"}, {20047, 1518, "Błędy"},
    {20047, 1524, "Fel"}, {20047, 1528, "Ошибки"},
    {30000, 1512, "Selection"}, {30000, 1514, "Valinta"},
    {50077, 1512, "Thermal conductivity"}, {50077, 1528, "Теплопроводность"},
};

// A temporary folder holding TextAPI.db and TextAPI.ddq, removed at the end.
class TextFiles {
public:
    TextFiles()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "lexmo_test_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir_.c_str(), nullptr);
        db = dir_ + "\\TextAPI.db";
        schema = dir_ + "\\TextAPI.ddq";
    }
    ~TextFiles()
    {
        DeleteFileA(db.c_str());
        DeleteFileA(schema.c_str());
        RemoveDirectoryA(dir_.c_str());
    }

    void WriteSchema(const char* text) const
    {
        HANDLE f = CreateFileA(schema.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        CloseHandle(f);
    }

    // Writes the schema and a database of the given languages and texts.
    void Write(const std::vector<LanguageRow>& languages, const std::vector<TextRow>& texts) const
    {
        WriteSchema("torbase-schema 1\nclass LG 5\nclass TX 5\n");
        short db = ddq_openwithschema(schema.c_str(), this->db.c_str(), 0);
        ASSERT_GT(db, 0);
        ASSERT_EQ(ddq_createfile(db), 0);
        ASSERT_GE(ddq_begintransaction(db, 1), 0);
        for (const LanguageRow& l : languages) {
            std::string key = std::to_string(l.id);
            ASSERT_EQ(ddq_putstoredfield(db, "LG", key.c_str(), 501, l.name,
                                         static_cast<short>(strlen(l.name))), 0);
            ASSERT_EQ(ddq_putstoredfield(db, "LG", key.c_str(), 101, &l.use, 1), 0);
        }
        for (const TextRow& t : texts) {
            std::string key = std::to_string(t.id);
            ASSERT_EQ(ddq_putstoredfield(db, "TX", key.c_str(), t.language, t.text,
                                         static_cast<short>(strlen(t.text))), 0);
        }
        ASSERT_GE(ddq_endtransaction(db), 0);
        ddq_closefile(db);
    }

    void WriteDefault() const
    {
        Write(std::vector<LanguageRow>(std::begin(kLanguages), std::end(kLanguages)),
              std::vector<TextRow>(std::begin(kTexts), std::end(kTexts)));
    }

    short Open() const { return TextAPI_Open(db.c_str(), schema.c_str()); }

    std::string db, schema;

private:
    std::string dir_;
};

class Lexmo : public ::testing::Test {
protected:
    void SetUp() override
    {
        files.WriteDefault();
        handle = files.Open();
        ASSERT_GT(handle, 0);
    }
    void TearDown() override { TextAPI_Close(handle); }

    TextFiles files;
    short handle = -1;
};

TEST_F(Lexmo, EveryStoredTextComesBackInItsLanguage)
{
    for (const TextRow& row : kTexts) {
        ASSERT_EQ(TextAPI_SetLanguage(handle, row.language), 0) << row.language;
        EXPECT_STREQ(TextAPI_GetText(handle, row.id), row.text)
            << "text " << row.id << " language " << row.language;
    }
}

TEST_F(Lexmo, NewHandleStartsInEnglish)
{
    EXPECT_EQ(TextAPI_GetLanguage(handle), kLangEnglish);
    EXPECT_EQ(TextAPI_QueryLanguage(handle), kLangEnglish);
    EXPECT_STREQ(TextAPI_GetText(handle, 20047), "Errors");
}

TEST_F(Lexmo, EachHandleKeepsItsOwnLanguage)
{
    short print = files.Open();
    ASSERT_GT(print, 0);
    ASSERT_NE(print, handle);
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangFinnish), 0);
    ASSERT_EQ(TextAPI_SetLanguage(print, kLangPolish), 0);
    EXPECT_EQ(TextAPI_GetLanguage(handle), kLangFinnish);
    EXPECT_EQ(TextAPI_GetLanguage(print), kLangPolish);
    EXPECT_STREQ(TextAPI_GetText(handle, 20047), "Virheet");
    EXPECT_STREQ(TextAPI_GetText(print, 20047), "Błędy");
    TextAPI_Close(print);
    EXPECT_STREQ(TextAPI_GetText(handle, 20047), "Virheet");
}

TEST_F(Lexmo, UnknownLanguageIsRefusedAndTheCurrentOneKept)
{
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangSwedish), 0);
    EXPECT_EQ(TextAPI_SetLanguage(handle, 1513), -1);
    EXPECT_EQ(TextAPI_SetLanguage(handle, 0), -1);
    EXPECT_EQ(TextAPI_GetLanguage(handle), kLangSwedish);
}

TEST_F(Lexmo, MissingTextGivesAVisiblePlaceholder)
{
    EXPECT_STREQ(TextAPI_GetText(handle, 40046), "[40046]");
    EXPECT_STREQ(TextAPI_GetText(handle, 0), "[0]");
    EXPECT_STREQ(TextAPI_GetText(handle, 65535), "[65535]");
    // Present in English only: other languages show the placeholder.
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangSwedish), 0);
    EXPECT_STREQ(TextAPI_GetText(handle, 30000), "[30000]");
}

TEST_F(Lexmo, ReturnedTextsStayValidWhileOthersAreFetched)
{
    const char* ok = TextAPI_GetText(handle, 9266);
    const char* missing = TextAPI_GetText(handle, 12345);
    for (unsigned id = 0; id < 5000; ++id) TextAPI_GetText(handle, static_cast<TextId>(id * 13));
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangRussian), 0);
    for (unsigned id = 0; id < 5000; ++id) TextAPI_GetText(handle, static_cast<TextId>(id * 7));
    EXPECT_STREQ(ok, "OK");
    EXPECT_STREQ(missing, "[12345]");
    EXPECT_EQ(TextAPI_GetText(handle, 12345), missing);
}

TEST(LexmoWithoutFiles, FailedOpenStillAnswersEveryCall)
{
    short h = TextAPI_Open("Z:\\no\\such\\TextAPI.db", "Z:\\no\\such\\TextAPI.ddq");
    EXPECT_LT(h, 0);
    EXPECT_STREQ(TextAPI_GetText(h, 20047), "[20047]");
    EXPECT_EQ(TextAPI_GetLanguage(h), kLangEnglish);
    EXPECT_EQ(TextAPI_SetLanguage(h, kLangFinnish), -1);
    EXPECT_STREQ(TextAPI_GetLanguageName(h, kLangFinnish, 0), "[1514]");
    LanguageId ids[30] = {};
    EXPECT_EQ(TextAPI_GetLanguageIDList(h, ids, 29), 0);
    EXPECT_EQ(ids[0], 0);
    EXPECT_EQ(TextAPI_Open(nullptr, nullptr), -1);
    TextAPI_Close(h);
}

TEST(LexmoWithoutFiles, DamagedOrForeignFilesAreRefused)
{
    TextFiles files;
    files.WriteDefault();
    files.WriteSchema("not a schema\n");
    EXPECT_LT(files.Open(), 0);

    files.WriteSchema("torbase-schema 1\nclass LG 5\nclass TX 5\n");
    HANDLE f = CreateFileA(files.db.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "garbage, not a database", 23, &written, nullptr);
    CloseHandle(f);
    EXPECT_LT(files.Open(), 0);
}

TEST_F(Lexmo, ClosedHandleIsForgotten)
{
    short other = files.Open();
    ASSERT_EQ(TextAPI_SetLanguage(other, kLangFinnish), 0);
    TextAPI_Close(other);
    EXPECT_EQ(TextAPI_SetLanguage(other, kLangFinnish), -1);
    EXPECT_STREQ(TextAPI_GetText(other, 20047), "[20047]");
    TextAPI_Close(other);   // twice is harmless
    short next = files.Open();
    EXPECT_NE(next, other);
    TextAPI_Close(next);
}

TEST_F(Lexmo, OptionsAreRecordedPerHandle)
{
    EXPECT_EQ(TextAPI_SetOption(handle, 0, 2), 0);
    EXPECT_EQ(TextAPI_SetOption(handle, 1, 3), 0);
    EXPECT_EQ(TextAPI_SetOption(handle, 0, 5), 2);
    EXPECT_EQ(TextAPI_SetOption(handle, 2, 1), -1);
    EXPECT_EQ(TextAPI_SetOption(-1, 0, 1), -1);
    EXPECT_STREQ(TextAPI_GetText(handle, 20047), "Errors");
}

TEST_F(Lexmo, LanguageNamesAreInTheirOwnLanguage)
{
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangFinnish), 0);
    EXPECT_STREQ(TextAPI_GetLanguageName(handle, kLangRussian, 0), "Русский");
    EXPECT_STREQ(TextAPI_GetLanguageName(handle, kLangPolish, 0), "Polski");
    EXPECT_STREQ(TextAPI_GetLanguageName(handle, kLangEnglish, 0), "English");
    EXPECT_STREQ(TextAPI_GetLanguageName(handle, 1600, 0), "[1600]");
}

struct ListCase {
    const char* name;
    bool printer;
    short max;
    std::vector<LanguageId> expected;   // then a 0 when room is left
};

TEST_F(Lexmo, LanguageListsByUse)
{
    const ListCase cases[] = {
        {"interface, room for all", false, 29, {1512, 1514, 1518, 1524, 1528, 1530}},
        {"print-out, room for all", true, 29, {1512, 1514, 1518, 1524, 1528, 1531}},
        {"interface, cut at 3", false, 3, {1512, 1514, 1518}},
        {"print-out, exactly full", true, 6, {1512, 1514, 1518, 1524, 1528, 1531}},
        {"nothing asked", false, 0, {}},
    };
    for (const ListCase& c : cases) {
        LanguageId ids[31];
        std::fill(std::begin(ids), std::end(ids), static_cast<LanguageId>(-7));
        short n = c.printer ? TextAPI_GetPrinterLanguageIDList(handle, ids, c.max)
                            : TextAPI_GetLanguageIDList(handle, ids, c.max);
        ASSERT_EQ(n, static_cast<short>(c.expected.size())) << c.name;
        for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(ids[i], c.expected[i]) << c.name;
        LanguageId after = n < c.max ? 0 : -7;   // terminated only when room is left
        EXPECT_EQ(ids[n], after) << c.name;
    }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(Lexmo, DialogIsTranslatedAndMissingControlsPassedOver)
{
    TsDialog dialog(GetModuleHandleA(nullptr), IDD_TRANSLATE_TEST, PlainDialogProc);
    HWND dlg = dialog.hwnd();
    ASSERT_NE(dlg, nullptr);
    const DialogTextTable table[] = {
        {0, 20047, nullptr},              // caption
        {IDC_TEST_LABEL, 50077, nullptr},
        {999, 30000, nullptr},            // the dialog has no control 999
        {IDC_TEST_CHECK, 0, "tooltip only"},
        {IDOK, 9266, nullptr},
        {0, 0, nullptr},
        {IDC_TEST_CHECK, 30000, nullptr},  // after the end: never read
    };
    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangRussian), 0);
    EXPECT_EQ(TextAPI_TranslateDialog(handle, dlg, table), 3);
    EXPECT_EQ(Ts_WindowText(dlg), "Ошибки");
    EXPECT_EQ(Ts_ControlText(dlg, IDC_TEST_LABEL), "Теплопроводность");
    EXPECT_EQ(Ts_ControlText(dlg, IDC_TEST_CHECK), "untranslated");
    EXPECT_EQ(Ts_ControlText(dlg, IDOK), "ОК");

    ASSERT_EQ(TextAPI_SetLanguage(handle, kLangPolish), 0);
    TextAPI_TranslateDialog(handle, dlg, table);
    EXPECT_EQ(Ts_WindowText(dlg), "Błędy");
    EXPECT_EQ(Ts_ControlText(dlg, IDC_TEST_LABEL), "[50077]");
}

}  // namespace
