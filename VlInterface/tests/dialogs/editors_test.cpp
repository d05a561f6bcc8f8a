// The two data editors on the databases of the build, which each test puts
// back as they were: the in-use mark protocol of both, the user insulation
// editor's types and points as stored, the point table's rules, the weather
// dialog's record 0, a write that fails in the database engine, every record
// listed by number in the pages' lists, numbers never given twice, and the
// refusals that say why.
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/dialogs/editorcommon.h"
#include "VlInterface/dialogs/insulationdata.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/dialogs/dialogs_fixture.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/dlgutil.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/lookups.h"
#include "testsupport/testsupport.h"
#include <commctrl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

// The test build of the database engine: its writes fail after `bytes`.
extern "C" __declspec(dllimport) void WINAPI ddq_test_faults(long long bytes, BOOL failReplace);

namespace {

std::string BesideTechDb(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("VlTechDb.dll"), path, sizeof(path));
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

// A database file of the build, restored byte for byte at the end.
class KeptFile {
public:
    explicit KeptFile(const char* name) : path_(BesideTechDb(name))
    {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        bytes_ = bytes.str();
    }
    ~KeptFile()
    {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes_;
    }

private:
    std::string path_, bytes_;
};

class EditorsTest : public DialogsTest {
protected:
    void SetUp() override
    {
        DialogsTest::SetUp();
        Start();
        Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), Shell().textHandle);
        for (TechDbHandle db : {kTechDbOtherInsulationSentinel, kTechDbWeatherSentinel})
            TechDb_DeleteAtt(db, "GE", "GeneralInfo", 1101);   // left by a run that was stopped
    }
    KeptFile insulation_{"VlDataInsulation.db"};
    KeptFile weather_{"VlDataWeather.db"};
};

// Runs an editor while action works in it (the editor is closed afterwards).
// True when the editor opened.
bool RunEditor(INT_PTR (*show)(HWND), HWND owner, int probe, const std::function<void(HWND)>& action)
{
    bool opened = false;
    TsUiScript script({[&] {
        HWND dialog = FindDialogWith(probe);
        if (!dialog)
            return false;
        opened = true;
        action(dialog);
        PostMessageA(dialog, WM_COMMAND, IDC_EDITOR_CLOSE, 0);
        return true;
    }});
    EXPECT_EQ(show(owner), 1);
    return opened;
}

void Press(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const char* text)
{
    Dlg_SetItemText(dialog, id, text);
}

std::vector<float> Floats(TechDbHandle db, const char* key, short att)
{
    float values[kMaxInsulationPoints] = {};
    short count = 0;
    if (!TechDb_GetAtt(db, "UI", key, att, &count, values, sizeof(values)))
        return {};
    return std::vector<float>(values, values + count);
}

bool Stored(TechDbHandle db, const char* recordClass, const char* key, short att)
{
    float value = 0;
    return TechDb_GetAtt(db, recordClass, key, att, nullptr, &value, sizeof(value)) != nullptr;
}

struct MarkCase {
    const char* name;
    bool weather;
    bool markedBefore;
    int answer;          // to the in-use question
    bool opens, editable;
    short markAfter;
};

TEST_F(EditorsTest, InUseMarkIsTakenAskedForAndGivenBack)
{
    const MarkCase cases[] = {
        {"insulation, free", false, false, IDYES, true, true, 0},
        {"insulation, taken over", false, true, IDYES, true, true, 0},
        {"insulation, read-only keeps the other's mark", false, true, IDNO, true, false, 1},
        {"insulation, cancelled", false, true, IDCANCEL, false, false, 1},
        {"weather, free", true, false, IDYES, true, true, 0},
        {"weather, read-only keeps the other's mark", true, true, IDNO, true, false, 1},
        {"weather, cancelled", true, true, IDCANCEL, false, false, 1},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EditorDatabase& db = c.weather ? kWeatherDb : kOtherInsulationDb;
        TechDbHandle sentinel = c.weather ? kTechDbWeatherSentinel : kTechDbOtherInsulationSentinel;
        if (c.markedBefore)
            TechDb_SetIntAtt(sentinel, "GE", "GeneralInfo", 1101, 1, 1);
        else
            TechDb_DeleteAtt(sentinel, "GE", "GeneralInfo", 1101);
        TsBoxAnswerer answerer(c.answer, "");   // the question has no caption
        bool editable = false, markHeld = false;
        int add = c.weather ? IDC_WD_ADD : IDC_INS_TYPE_ADD;
        bool opened = RunEditor(c.weather ? WeatherDlg_Run : InsulationData_Show, window(), add, [&](HWND dialog) {
            editable = Ts_IsEnabled(dialog, add);
            markHeld = EditorMark_Read(db) == 1;
        });
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(editable, c.editable);
        EXPECT_EQ(answerer.boxes().size(), c.markedBefore ? 1u : 0u);
        EXPECT_EQ(markHeld, c.opens);
        EXPECT_EQ(EditorMark_Read(db), c.markAfter);
        // Nothing is left open, in a write transaction or otherwise.
        EXPECT_EQ(c.weather ? VlWeatherDataTechDb_Handle() : VlOtherInsulationDataTechDb_Handle(), sentinel);
    }
}

TEST_F(EditorsTest, InsulationTypesAndPointsAreStoredAsEdited)
{
    TsBoxAnswerer yes(IDYES);   // it also sees the editor, which ignores the Yes
    int number = EditorDb_NextNumber(kOtherInsulationDb, "UI", 1600);
    ASSERT_GT(number, 0);
    EditorKey key(number);
    TechDbHandle db = kTechDbOtherInsulationSentinel;
    bool squareShown = false;
    RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
        Press(dialog, IDC_INS_TYPE_ADD);
        Type(dialog, IDC_INS_NAME, "Test wool  ");
        Type(dialog, IDC_INS_PRICE, "12,5");
        Press(dialog, IDC_INS_PER_SQUARE);
        Press(dialog, IDC_INS_TYPE_APPLY);
        EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), number);
        squareShown = Ts_IsChecked(dialog, IDC_INS_PER_SQUARE);
    });
    EXPECT_STREQ(TechDb_GetStringAtt(db, "UI", key.text, 1600), "Test wool");
    EXPECT_FLOAT_EQ(TechDb_GetFloatAtt(db, "UI", key.text, 1315), 12.5f);
    EXPECT_FALSE(Stored(db, "UI", key.text, 1314));
    EXPECT_EQ(Floats(db, key.text, 1313), std::vector<float>({0}));   // the placeholder alone
    EXPECT_TRUE(squareShown);

    RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
        EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), number);
        Press(dialog, IDC_INS_TYPE_EDIT);
        Press(dialog, IDC_INS_PER_METRE);
        Type(dialog, IDC_INS_PRICE, "");
        Press(dialog, IDC_INS_TYPE_APPLY);
    });
    EXPECT_FLOAT_EQ(TechDb_GetFloatAtt(db, "UI", key.text, 1314), 0.0f);   // blank is 0, not the sentinel
    EXPECT_TRUE(Stored(db, "UI", key.text, 1314));
    EXPECT_FALSE(Stored(db, "UI", key.text, 1315));

    TechDb_SetFloatAtt(db, "UI", key.text, 1314, 1, 9.75f);   // changed meanwhile by someone else
    RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
        EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), number);
        for (const char* point : {"50|0,040", "-10|0,030", "50|0,045"}) {
            std::string text(point);
            Press(dialog, IDC_INS_POINT_ADD);
            Type(dialog, IDC_INS_TEMPERATURE, text.substr(0, text.find('|')).c_str());
            Type(dialog, IDC_INS_CONDUCTANCE, text.substr(text.find('|') + 1).c_str());
            Press(dialog, IDC_INS_POINT_APPLY);   // the second 50 replaces the first
        }
    });
    EXPECT_EQ(Floats(db, key.text, 1311), std::vector<float>({0, -10, 50}));
    EXPECT_EQ(Floats(db, key.text, 1313), std::vector<float>({0, 0.030f, 0.045f}));
    EXPECT_FLOAT_EQ(TechDb_GetFloatAtt(db, "UI", key.text, 1314), 9.75f);   // points alone were written

    bool pointSelectionCleared = false;
    RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
        EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), number);
        EditorList_Select(GetDlgItem(dialog, IDC_INS_POINTS), 1);
        Press(dialog, IDC_INS_POINT_REMOVE);
        pointSelectionCleared = Ts_ControlText(dialog, IDC_INS_TEMPERATURE).empty();
        Press(dialog, IDC_INS_TYPE_REMOVE);
        pointSelectionCleared = pointSelectionCleared && Ts_ControlText(dialog, IDC_INS_SELECTED).empty();
    });
    EXPECT_TRUE(pointSelectionCleared);
    int sameTemperature = 0, refusals = 0;
    for (const TsSeenBox& box : yes.boxes()) {
        sameTemperature += box.text == Shell_Text(50075);
        refusals += box.text == Shell_Text(50071) || box.text == Shell_Text(50072);
    }
    EXPECT_EQ(sameTemperature, 1);
    EXPECT_EQ(refusals, 0);
    EXPECT_EQ(TechDb_GetStringAtt(db, "UI", key.text, 1600), nullptr);
}

// A product name typed in the five languages' letters, through the editor's
// own modal loop, is stored whole.
TEST_F(EditorsTest, ANameTypedInFiveLanguagesIsStoredWhole)
{
    const char* const typed = "Ab Жук łęż öäå";
    TsBoxAnswerer yes(IDYES);
    EditorKey key(EditorDb_NextNumber(kOtherInsulationDb, "UI", 1600));
    HWND dialog = nullptr;
    TsUiScript script({
        [&] {
            dialog = FindDialogWith(IDC_INS_TYPE_ADD);
            if (!dialog)
                return false;
            Press(dialog, IDC_INS_TYPE_ADD);
            SetFocus(GetDlgItem(dialog, IDC_INS_NAME));
            Ts_PostTyping(GetDlgItem(dialog, IDC_INS_NAME), typed);
            return true;
        },
        [&] {
            Press(dialog, IDC_INS_TYPE_APPLY);
            PostMessageW(dialog, WM_COMMAND, IDC_EDITOR_CLOSE, 0);
            return true;
        },
    });
    EXPECT_EQ(InsulationData_Show(window()), 1);
    EXPECT_STREQ(TechDb_GetStringAtt(kTechDbOtherInsulationSentinel, "UI", key.text, 1600), typed);
}

// A price that the layers' price fields would refuse is refused here too, and
// nothing is stored.

TEST_F(EditorsTest, InsulationPriceIsRefusedWhereTheLayerPageRefusesIt)
{
    int number = EditorDb_NextNumber(kOtherInsulationDb, "UI", 1600);
    ASSERT_GT(number, 0);
    TsBoxAnswerer ok(IDOK, App().title);
    bool stillEditing = false;
    RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
        Press(dialog, IDC_INS_TYPE_ADD);
        Type(dialog, IDC_INS_NAME, "Negative wool");
        Type(dialog, IDC_INS_PRICE, "-5,00");
        Press(dialog, IDC_INS_TYPE_APPLY);
        stillEditing = Ts_IsEnabled(dialog, IDC_INS_TYPE_APPLY);
        Press(dialog, IDC_INS_TYPE_CANCEL);
    });
    ASSERT_EQ(ok.boxes().size(), 1u);
    EXPECT_EQ(ok.boxes()[0].text, "0.00 ... 999999.00 !");
    EXPECT_TRUE(stillEditing);
    EXPECT_EQ(TechDb_GetStringAtt(kTechDbOtherInsulationSentinel, "UI", EditorKey(number).text, 1600), nullptr);
}

// Removing a type that systems of the open project use names them (the loaded
// one and others alike) and says what becomes of them; No keeps the type. A
// product of another class with the same code is no use of it.
TEST_F(EditorsTest, RemovingATypeInUseNamesTheSystemsThatUseIt)
{
    TechDbHandle db = kTechDbOtherInsulationSentinel;
    int used = EditorDb_NextNumber(kOtherInsulationDb, "UI", 1600);
    ASSERT_EQ(TechDb_SetAtt(db, "UI", EditorKey(used).text, 1600, 1, const_cast<char*>("Used wool")), 0);
    int spare = EditorDb_NextNumber(kOtherInsulationDb, "UI", 1600);
    ASSERT_EQ(TechDb_SetAtt(db, "UI", EditorKey(spare).text, 1600, 1, const_cast<char*>("Spare wool")), 0);
    std::string path = TempPath("users.WDF");
    Kadmi_CloseDatabasefile(0);   // the temporary project of the start
    MakeProjectFile(path);        // "Steam line"
    ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
    const struct {
        const char* name;
        const char* recordClass;
        int layer;
    } systems[] = {{nullptr, "UI", 2}, {"Return line", "UI", 1}, {"Tank", "IM", 1}};
    for (const auto& system : systems) {
        short page = system.name ? Kadmi_CreatePage() : Kadmi_IthPage(0);
        Kadmi_LoadPage(page);
        if (system.name) {
            Kadmi_SetStringAtt(0, 1535, system.name);
            for (int i = 0; i < 3; ++i)
                Kadmi_CreatePart();
        }
        Kadmi_SetStringAtt(system.layer, 1538, system.recordClass);
        Kadmi_SetStringAtt(system.layer, 1536, EditorKey(used).text);
        Kadmi_SavePage();
    }
    ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
    Kadmi_CloseDatabasefile(0);
    Restart(path.c_str());

    const std::string users = std::string(Shell_Text(45230)) + "\n1: Steam line\n2: Return line\n\n" + Shell_Text(45231);
    const struct {
        const char* name;
        int type;
        int answer;
        bool namesUsers, kept;
    } rows[] = {{"in use, kept", used, IDNO, true, true},
                {"in use, removed", used, IDYES, true, false},
                {"unused", spare, IDYES, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TsBoxAnswerer answer(row.answer, Shell_Text(50060));
        RunEditor(InsulationData_Show, window(), IDC_INS_TYPE_ADD, [&](HWND dialog) {
            EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), row.type);
            Press(dialog, IDC_INS_TYPE_REMOVE);
        });
        ASSERT_EQ(answer.boxes().size(), 1u);
        EXPECT_EQ(answer.boxes()[0].text.find(users) != std::string::npos, row.namesUsers) << answer.boxes()[0].text;
        EXPECT_EQ(TechDb_GetStringAtt(db, "UI", EditorKey(row.type).text, 1600) != nullptr, row.kept);
    }
}

TEST(InsulationPoints, StoreReplaceSortAndRemove)
{
    struct Row {
        const char* name;
        std::vector<float> temperatures;   // element 0 included
        int index;                         // 0 adds
        float temperature;
        int result;
        std::vector<float> after;
    };
    std::vector<float> full(kMaxInsulationPoints);
    for (int i = 1; i < kMaxInsulationPoints; ++i)
        full[i] = static_cast<float>(i);
    const Row rows[] = {
        {"first point of a new type", {}, 0, 20, 0, {0, 20}},
        {"added in order", {0, -10, 50}, 0, 20, 0, {0, -10, 20, 50}},
        {"replaced and moved", {0, -10, 20, 50}, 1, 60, 0, {0, 20, 50, 60}},
        {"no room left", full, 0, 100, -1, full},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        float temperatures[kMaxInsulationPoints] = {}, conductances[kMaxInsulationPoints] = {};
        std::copy(row.temperatures.begin(), row.temperatures.end(), temperatures);
        std::copy(row.temperatures.begin(), row.temperatures.end(), conductances);
        int32_t count = static_cast<int32_t>(row.temperatures.size());
        EXPECT_EQ(InsulationPoints_Store(temperatures, conductances, &count, row.index, row.temperature,
                                         row.temperature),
                  row.result);
        EXPECT_EQ(std::vector<float>(temperatures, temperatures + count), row.after);
        EXPECT_EQ(std::vector<float>(conductances, conductances + count), row.after);   // kept in pairs
    }
    float temperatures[4] = {0, 1, 2, 3}, conductances[4] = {0, 1, 2, 3};
    int32_t count = 4;
    InsulationPoints_Remove(temperatures, conductances, &count, 1);
    EXPECT_EQ(std::vector<float>(temperatures, temperatures + 4), std::vector<float>({0, 2, 3, 0}));
    EXPECT_EQ(count, 3);
}

TEST_F(EditorsTest, WeatherRecordZeroIsEditable)
{
    TechDbHandle db = kTechDbWeatherSentinel;
    char name[32] = "Zero point";
    ASSERT_EQ(TechDb_SetAtt(db, "WD", "0", 1601, 1, name), 0);
    TechDb_SetFloatAtt(db, "WD", "0", 1311, 1, 1.0f);
    TechDb_SetFloatAtt(db, "WD", "0", 1312, 1, 2.0f);
    RunEditor(WeatherDlg_Run, window(), IDC_WD_ADD, [](HWND dialog) {
        EditorList_Select(GetDlgItem(dialog, IDC_WD_LOCATIONS), 0);
        Press(dialog, IDC_WD_EDIT);
        EXPECT_EQ(Ts_ControlText(dialog, IDC_WD_NAME), "Zero point");
        Type(dialog, IDC_WD_TEMPERATURE, "3,5");
        Press(dialog, IDC_WD_APPLY);
    });
    EXPECT_FLOAT_EQ(TechDb_GetFloatAtt(db, "WD", "0", 1311), 3.5f);
    EXPECT_STREQ(TechDb_GetStringAtt(db, "WD", "0", 1601), "Zero point");
}

struct FailedWriteCase {
    const char* name;
    INT_PTR (*show)(HWND);
    int probe;
    std::function<void(HWND)> edit;   // selects a record and types into field
    int apply, field;
    std::function<std::string()> stored;
    const char* label;                // of the type once saved (none: null)
};

TEST_F(EditorsTest, FailedWriteIsToldAndKeepsTheEdit)
{
    TechDbHandle ins = kTechDbOtherInsulationSentinel, weather = kTechDbWeatherSentinel;
    const FailedWriteCase cases[] = {
        {"type renamed", InsulationData_Show, IDC_INS_TYPE_ADD,
         [](HWND dialog) {
             EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), 1);
             Press(dialog, IDC_INS_TYPE_EDIT);
             Type(dialog, IDC_INS_NAME, "Renamed wool");
         },
         IDC_INS_TYPE_APPLY, IDC_INS_NAME, [&] { return std::string(TechDb_GetStringAtt(ins, "UI", "1", 1600)); },
         "1 : Renamed wool"},
        {"point added", InsulationData_Show, IDC_INS_TYPE_ADD,
         [](HWND dialog) {
             EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), 1);
             Press(dialog, IDC_INS_POINT_ADD);
             Type(dialog, IDC_INS_CONDUCTANCE, "0,060");
             Type(dialog, IDC_INS_TEMPERATURE, "150");
         },
         IDC_INS_POINT_APPLY, IDC_INS_TEMPERATURE,
         [&] { return std::to_string(Floats(ins, "1", 1311).size()); }, nullptr},
        {"location edited", WeatherDlg_Run, IDC_WD_ADD,
         [](HWND dialog) {
             EditorList_Select(GetDlgItem(dialog, IDC_WD_LOCATIONS), 1);
             Press(dialog, IDC_WD_EDIT);
             Type(dialog, IDC_WD_TEMPERATURE, "12,5");
         },
         IDC_WD_APPLY, IDC_WD_TEMPERATURE,
         [&] { return std::to_string(TechDb_GetFloatAtt(weather, "WD", "1", 1311)); }, nullptr},
    };
    for (const FailedWriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string before = c.stored();
        TsBoxAnswerer ok(IDOK, Shell().title);
        RunEditor(c.show, window(), c.probe, [&](HWND dialog) {
            c.edit(dialog);
            std::string typed = Ts_ControlText(dialog, c.field);
            ddq_test_faults(0, FALSE);
            Press(dialog, c.apply);
            ddq_test_faults(-1, FALSE);
            ASSERT_EQ(ok.boxes().size(), 1u);
            EXPECT_EQ(ok.boxes()[0].text, Shell_Text(45222));
            EXPECT_TRUE(Ts_IsEnabled(dialog, c.apply));   // still editing
            EXPECT_EQ(Ts_ControlText(dialog, c.field), typed);
            EXPECT_EQ(c.stored(), before);
            Press(dialog, c.apply);   // the disk is back
            EXPECT_FALSE(Ts_IsEnabled(dialog, c.apply));
            if (c.label) {
                EXPECT_EQ(Ts_ControlText(dialog, IDC_INS_SELECTED), c.label);
            }
        });
        EXPECT_NE(c.stored(), before);
        EXPECT_EQ(ok.boxes().size(), 1u);
    }
}

// Records first..last of the class, named prefix and number, in one commit.
void AddRecords(const EditorDatabase& db, const char* recordClass, short att, int first, int last, const char* prefix)
{
    TechDbHandle handle = db.open(1);
    for (int number = first; number <= last; ++number) {
        char name[99] = {};
        std::snprintf(name, sizeof(name), "%s%d", prefix, number);
        TechDb_SetAtt(handle, recordClass, EditorKey(number).text, att, 1, name);
        TechDb_SetFloatAtt(handle, recordClass, EditorKey(number).text, 1312, 1, 3.0f);
    }
    ASSERT_GE(db.close(1), 0);
}

std::vector<std::string> Keys(int first, int last, std::vector<std::string> keys = {})
{
    for (int number = first; number <= last; ++number)
        keys.push_back(std::to_string(number));
    return keys;
}

// The codes of a page's list of the class, in its order.
std::vector<std::string> ListedCodes(const std::vector<ProductListEntry>& list, const char* recordClass)
{
    std::vector<std::string> codes;
    for (const ProductListEntry& entry : list)
        if (!ProductList_IsEnd(entry) && std::strcmp(entry.recordClass, recordClass) == 0 &&
            std::strcmp(entry.code, "-789") != 0)
            codes.push_back(entry.code);
    return codes;
}

// 250 locations and 230 user types: every one in the pages' lists, by number
// (2 before 10), found by its key, and in its editor's list, whose number
// column holds the widest number.
TEST_F(EditorsTest, EveryLocationAndTypeIsListedByNumber)
{
    AddRecords(kWeatherDb, "WD", 1601, 38, 250, "Place ");
    AddRecords(kOtherInsulationDb, "UI", 1600, 6, 231, "U");
    const struct {
        const char* name;
        const char* recordClass;
        std::vector<std::string> keys;
        INT_PTR (*show)(HWND);
        int probe, list;
        std::function<void(ProductListEntry*)> build;
    } rows[] = {
        {"locations", "WD", Keys(1, 250), WeatherDlg_Run, IDC_WD_ADD, IDC_WD_LOCATIONS, LocationList_Build},
        {"user types", "UI", Keys(5, 231, {"1", "2", "3"}), InsulationData_Show, IDC_INS_TYPE_ADD, IDC_INS_TYPES,
         [](ProductListEntry* list) { ProductList_Build(Kind_Pipe, list); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<ProductListEntry> list(kProductListSize);
        row.build(list.data());
        EXPECT_EQ(ListedCodes(list, row.recordClass), row.keys);
        for (const std::string& key : row.keys) {
            int index = ProductList_FindIndex(0, key.c_str(), list.data());
            ASSERT_GE(index, 0) << key;
            EXPECT_EQ(list[index].number, index);
        }
        int items = 0, numberWidth = 0, widest = 0;
        RunEditor(row.show, window(), row.probe, [&](HWND dialog) {
            HWND view = GetDlgItem(dialog, row.list);
            items = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
            numberWidth = static_cast<int>(SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0));
            widest = static_cast<int>(SendMessageA(view, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(
                                                       row.keys.back().c_str())));
        });
        EXPECT_EQ(items, static_cast<int>(row.keys.size()));
        EXPECT_GT(numberWidth, widest);
    }
    char key[kCalcLocationKeySize];
    Location_KeyOfPosition(249, key, sizeof key);
    EXPECT_STREQ(key, "250");
    EXPECT_EQ(Location_PositionOfKey("250"), 249);
}

// What a kind of record needs for the project to use it, and how the editor adds one.
struct NumberCase {
    const char* name;
    const EditorDatabase& db;
    const char* recordClass;
    short att;
    INT_PTR (*show)(HWND);
    int add, nameField, apply, list, remove;
    uint16_t removeCaption;
    std::function<void(const char* key)> use;   // on the loaded system of the open project
    std::function<std::string(const char* key)> removedName;
};

// Adds a record through the editor under name; the number it got.
int AddThroughEditor(HWND owner, const NumberCase& c, const char* name)
{
    int number = EditorDb_NextNumber(c.db, c.recordClass, c.att);
    RunEditor(c.show, owner, c.add, [&](HWND dialog) {
        Press(dialog, c.add);
        Type(dialog, c.nameField, name);
        if (c.show == WeatherDlg_Run) {
            Type(dialog, IDC_WD_TEMPERATURE, "5");
            Type(dialog, IDC_WD_VELOCITY, "3");
        }
        Press(dialog, c.apply);
    });
    return number;
}

// Add, remove, add: the second record never takes the first's number, so a
// project that used the first shows it as removed, says so once when the
// system is shown, and takes no figures from another. Removing what the open
// project uses names its systems and leaves the project changed.
TEST_F(EditorsTest, NumbersAreNeverGivenAgain)
{
    const NumberCase cases[] = {
        {"user insulation type", kOtherInsulationDb, "UI", 1600, InsulationData_Show, IDC_INS_TYPE_ADD, IDC_INS_NAME,
         IDC_INS_TYPE_APPLY, IDC_INS_TYPES, IDC_INS_TYPE_REMOVE, 50060,
         [](const char* key) {
             Kadmi_SetStringAtt(1, 1538, "UI");
             Kadmi_SetStringAtt(1, 1536, key);
         },
         RemovedData_ProductName},
        {"weather location", kWeatherDb, "WD", 1601, WeatherDlg_Run, IDC_WD_ADD, IDC_WD_NAME, IDC_WD_APPLY,
         IDC_WD_LOCATIONS, IDC_WD_REMOVE, 50028,
         [](const char* key) {
             Kadmi_SetStringAtt(0, 1537, key);
             Kadmi_SetIntAtt(0, 1118, Location_PositionOfKey(key));
         },
         RemovedData_LocationName},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int first = AddThroughEditor(window(), c, "First");
        EditorKey key(first);
        ASSERT_STREQ(TechDb_GetStringAtt(c.db.open(0), c.recordClass, key.text, c.att), "First");
        c.db.close(0);

        std::string path = TempPath("numbers.WDF");
        Kadmi_CloseDatabasefile(0);
        MakeProjectFile(path);   // "Steam line"
        ASSERT_EQ(Kadmi_OpenDatabasefile(path.c_str()), 0);
        Kadmi_LoadPage(Kadmi_IthPage(0));
        c.use(key.text);
        Kadmi_SavePage();
        ASSERT_EQ(Kadmi_SaveDatabasefile(), 0);
        Kadmi_CloseDatabasefile(0);
        Restart(path.c_str());
        EXPECT_TRUE(Project_RemovedDataOfLoadedSystem().empty());

        ForgetChangeMark();
        TsBoxAnswerer yes(IDYES, Shell_Text(c.removeCaption));
        RunEditor(c.show, window(), c.add, [&](HWND dialog) {
            EditorList_Select(GetDlgItem(dialog, c.list), first);
            Press(dialog, c.remove);
        });
        ASSERT_EQ(yes.boxes().size(), 1u);
        EXPECT_NE(yes.boxes()[0].text.find("\n1: Steam line"), std::string::npos) << yes.boxes()[0].text;
        EXPECT_TRUE(ChangeMarked());

        const int second = AddThroughEditor(window(), c, "Second");
        EXPECT_EQ(second, first + 1);
        EXPECT_EQ(TechDb_GetStringAtt(c.db.open(0), c.recordClass, key.text, c.att), nullptr);
        c.db.close(0);
        TsBoxAnswerer told(IDOK, Shell().title);
        Restart(path.c_str());   // the system is shown: told once
        EXPECT_EQ(Project_RemovedDataOfLoadedSystem(), std::vector<std::string>({c.removedName(key.text)}));
        ASSERT_EQ(told.boxes().size(), 1u);
        EXPECT_EQ(told.boxes()[0].text.rfind(Shell_Text(45234), 0), 0u);
        EXPECT_NE(told.boxes()[0].text.find(c.removedName(key.text)), std::string::npos);
    }
}

// A refusal says why, under the caption of what was refused: a blank name, a
// conductance that is not above zero (nothing stored), Remove point with no
// point chosen. A name that differs only in letter case is the same name.
TEST_F(EditorsTest, RefusalsSayWhy)
{
    // Adds a location of that name; a refused one is still being edited.
    auto addLocation = [](const char* name) {
        return [name](HWND dialog) {
            Press(dialog, IDC_WD_ADD);
            Type(dialog, IDC_WD_NAME, name);
            Type(dialog, IDC_WD_TEMPERATURE, "5");
            Type(dialog, IDC_WD_VELOCITY, "3");
            Press(dialog, IDC_WD_APPLY);
            Press(dialog, IDC_WD_CANCEL_EDIT);
        };
    };
    const struct {
        const char* name;
        INT_PTR (*show)(HWND);
        int probe;
        std::function<void(HWND)> act;
        uint16_t text, caption;
        int answer;
    } rows[] = {
        {"blank location name", WeatherDlg_Run, IDC_WD_ADD, addLocation("  "), 45232, 50025, IDOK},
        {"location named as another but in capitals", WeatherDlg_Run, IDC_WD_ADD, addLocation("HELSINKI"), 50036,
         50025, IDNO},
        {"zero conductance", InsulationData_Show, IDC_INS_TYPE_ADD,
         [](HWND dialog) {
             EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), 1);
             Press(dialog, IDC_INS_POINT_ADD);
             Type(dialog, IDC_INS_TEMPERATURE, "150");
             Type(dialog, IDC_INS_CONDUCTANCE, "0");
             Press(dialog, IDC_INS_POINT_APPLY);
             Press(dialog, IDC_INS_POINT_CANCEL);
         },
         45233, 50057, IDOK},
        {"remove point, none chosen", InsulationData_Show, IDC_INS_TYPE_ADD,
         [](HWND dialog) {
             EditorList_Select(GetDlgItem(dialog, IDC_INS_TYPES), 1);
             Press(dialog, IDC_INS_POINT_REMOVE);
         },
         50072, 45239, IDOK},
    };
    const std::vector<float> points = Floats(kTechDbOtherInsulationSentinel, "1", 1313);
    const int next = EditorDb_NextNumber(kWeatherDb, "WD", 1601);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TsBoxAnswerer answer(row.answer, Shell_Text(row.caption));
        RunEditor(row.show, window(), row.probe, row.act);
        ASSERT_EQ(answer.boxes().size(), 1u);
        const std::string text = Shell_Text(row.text);
        EXPECT_EQ(answer.boxes()[0].text.substr(0, text.size()), text);
    }
    EXPECT_EQ(Floats(kTechDbOtherInsulationSentinel, "1", 1313), points);
    EXPECT_EQ(EditorDb_NextNumber(kWeatherDb, "WD", 1601), next);
}

TEST(InsulationPoints, ConductanceAboveZeroAcrossTheType)
{
    const struct {
        const char* name;
        std::vector<float> conductances;   // element 0 the placeholder
        bool positive;
    } rows[] = {
        {"no points yet", {0}, true},
        {"all above zero", {0, 0.03f, 0.05f}, true},
        {"zero at one temperature", {0, 0.03f, 0}, false},
        {"below zero", {0, -0.01f, 0.04f}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(InsulationPoints_PositiveAcross(row.conductances.data(), static_cast<int>(row.conductances.size())),
                  row.positive)
            << row.name;
}

} // namespace
