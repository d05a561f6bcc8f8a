// The extended edition's own pieces on the running shell: the object
// description per geometry, the defaults and layer parts of a new system,
// New through its own name dialog, the product lists read from the
// database engine, and the logo controls' painting.
#include "VlInterface/extended/extended.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/vlinterface.h"
#include "VlTechDatabase/vltechdb.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "outside/Torbase200/torbase.h"
#include "support/app.h"
#include "testsupport/testsupport.h"
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class ExtendedTest : public ShellWindowTest {
protected:
    static void ExpectNewSystemDefaults()
    {
        EXPECT_EQ(Kadmi_GetIntAtt(0, 1118), -100);
        EXPECT_EQ(Kadmi_GetFloatAtt(0, 1315), 100.0f);
        EXPECT_EQ(Kadmi_GetFloatAtt(0, 1384), 50.0f);
        EXPECT_EQ(Kadmi_GetFloatAtt(0, 1316), 20.0f);
        EXPECT_EQ(Kadmi_GetFloatAtt(0, 1317), 50.0f);
        EXPECT_EQ(Kadmi_GetIntAtt(0, 1120), 1);
        EXPECT_STREQ(Kadmi_GetStringAtt(0, 1528), "PAINTED-PLASTIC");   // a listed surface material
        EXPECT_FLOAT_EQ(Kadmi_GetFloatAtt(0, 1319), 0.9f);
        // Three layer parts, made once.
        EXPECT_EQ(Kadmi_NPart(), 3);
        for (short i = 0; i < 3; ++i) {
            EXPECT_EQ(Shell().layerParts[i], Kadmi_IthPart(i));
            EXPECT_EQ(Kadmi_GetIntAtt(Shell().layerParts[i], 1133), 1);
        }
    }
};

// What a new user does first: Calculate on the heat loss tab, which gives
// the bare object's results without a message.
TEST_F(ExtendedTest, ANewSystemCalculatesAtOnce)
{
    Start();
    MainWnd_SelectCalcPage(2);
    HWND page = CalcTabs_OpenPageWindow();
    ASSERT_NE(page, nullptr);
    TsBoxAnswerer none(IDOK);
    ClickButton(page, 203);
    EXPECT_TRUE(none.boxes().empty());
    EXPECT_NE(Ts_ControlText(page, 650).find(Shell_Text(30097)), std::string::npos) << Ts_ControlText(page, 650);
    EXPECT_EQ(Ts_ControlText(page, 651).rfind(Shell_Text(40028), 0), 0u) << Ts_ControlText(page, 651);
}

TEST_F(ExtendedTest, AnEditedHumidityIsStoredAndMarksTheProjectChanged)
{
    Start();
    EXPECT_EQ(CalcRec().targetHumidity, 50.0f);   // loaded with the record
    CalcRecord_Store(1);                          // the fresh page's own settling
    CalcRec().targetHumidity = 65.0f;
    EXPECT_EQ(CalcRecord_MarkChanges(), CalcChange_Extended);
    CalcRecord_Store(1);
    EXPECT_EQ(Kadmi_GetFloatAtt(0, 1384), 65.0f);
    EXPECT_EQ(Kadmi_CmpAccess(0, "EDTT", 0, "NONE"), 1);   // stamped (a missing stamp orders first)
    EXPECT_GE(Kadmi_CmpAccess(-1, "PCHG", 0, "EDTT"), 0);
}

// A system the standard edition made has no target humidity: the air's is
// taken, so that its condensation case stays as it was and no edit is seen.
TEST_F(ExtendedTest, ASystemWithoutATargetHumidityWorksToTheAirs)
{
    Start();
    Kadmi_DeleteAtt(0, 1384);
    Kadmi_SetFloatAtt(0, 1317, 65.0f);
    CalcRecord_Load();
    EXPECT_EQ(CalcRec().targetHumidity, 65.0f);
    CalcRecord_FlagsToCodes();   // as a store folds them
    EXPECT_EQ(CalcRecord_MarkChanges(), 0);
}

TEST_F(ExtendedTest, MarkingTheInputsEditedStampsTheExtendedInputsToo)
{
    Start();
    Kadmi_DeleteAtt(0, 7701);   // the system's stamps
    Project_MarkInputsEdited();
    for (const char* mark : {"EDT1", "EDT2", "EDT3", "EDTT"})
        EXPECT_EQ(Kadmi_CmpAccess(0, mark, 0, "NONE"), 1) << mark;   // a missing stamp orders first
}

struct DescriptionRow {
    const char* name;
    short geometry;
    float diameters[2];
    float width, height;
    const char* expected;
};

TEST_F(ExtendedTest, DescribesTheObjectOfEachGeometry)
{
    Start();
    const DescriptionRow rows[] = {
        {"plane", 10, {0, 0}, 0, 0, "Plane surface or vessel"},
        {"pipe", 11, {114.3f, 250}, 0, 0, "Pipe, Outer diameter 114.3 mm"},
        {"round duct", 12, {114.3f, 250}, 0, 0, "Round duct, Outer diameter 250 mm"},
        {"rectangular duct", 13, {0, 0}, 600.5f, 400, "Rectangular duct, Width 600.5 mm, Height 400 mm"},
        {"unknown kind", 14, {0, 0}, 600, 400, ""},
    };
    for (const DescriptionRow& row : rows) {
        Kadmi_SetIntAtt(0, 1117, row.geometry);
        Kadmi_SetAtt(0, 1312, 2, row.diameters);
        Kadmi_SetFloatAtt(0, 1313, row.width);
        Kadmi_SetFloatAtt(0, 1314, row.height);
        EXPECT_STREQ(InsulationObject_Describe(), row.expected) << row.name;
    }
}

TEST_F(ExtendedTest, TheTemporaryProjectAndANewFileGetTheDefaultsOfANewSystem)
{
    Start();
    {
        SCOPED_TRACE("temporary project");
        ExpectNewSystemDefaults();
    }
    const std::string path = TempPath("fresh");   // no extension typed
    ScriptedBoxes boxes({{IDOK, path}});
    EXPECT_EQ(VlFileMenu_NewFile(window()), 0);
    ASSERT_EQ(boxes.answered(), 1u);
    EXPECT_EQ(boxes.offeredNames[0], "");
    EXPECT_EQ(lstrcmpiA(App().currentFile, (path + ".WDF").c_str()), 0) << App().currentFile;
    EXPECT_EQ(boxes.unexpected, 0u);
    SCOPED_TRACE("new file");
    ExpectNewSystemDefaults();
    EXPECT_FALSE(ProjectUnsaved());
}

TEST_F(ExtendedTest, ANewSystemAndTheOneReplacingTheLastGetTheDefaults)
{
    Start();
    ForEachNewSystem([&] { ExpectNewSystemDefaults(); });
}

TEST_F(ExtendedTest, NewFileDialogCancelledOrReplacingAnExistingFile)
{
    const std::string existing = TempPath("old.WDF");
    MakeProjectFile(existing);
    Start();
    {
        ScriptedBoxes cancel({{IDCANCEL, ""}});
        EXPECT_EQ(VlFileMenu_NewFile(window()), -2);
        EXPECT_STREQ(App().currentFile, "Noname");
    }
    // After the name, the question that names the file, No its default answer.
    struct ReplaceRow {
        const char* name;
        int answer, result;
        const char* currentFile;
    };
    const ReplaceRow rows[] = {
        {"declined: the open project stays", IDNO, -2, "Noname"},
        {"accepted: a new project in its place", IDYES, 0, existing.c_str()},
    };
    for (const ReplaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedBoxes replace({{IDOK, existing}, {row.answer, ""}});
        EXPECT_EQ(VlFileMenu_NewFile(window()), row.result);
        ASSERT_EQ(replace.answered(), 2u);
        EXPECT_EQ(replace.texts[1], existing + "\n\n" + Shell_Text(Text_ReplaceWithNewQuestion));
        EXPECT_EQ(replace.defaultButtons[1], IDNO);
        EXPECT_EQ(replace.unexpected, 0u);
        EXPECT_STREQ(App().currentFile, row.currentFile);
    }
    EXPECT_EQ(Kadmi_GetStringAtt(0, 1535), nullptr);   // a new project, not the old one
}

TEST_F(ExtendedTest, ProductListsComeStraightFromTheDatabaseEngine)
{
    Start();
    ProductListEntry types[kProductListSize] = {};
    int16_t last = -1;
    ASSERT_EQ(ProductDb_ListTypes(VlDataTechDb_Handle(), "IP", types, &last), 0);
    ASSERT_EQ(last, 3);   // four types, each once
    EXPECT_STREQ(types[0].name, "Mineral wool pipe section");   // a name for people
    EXPECT_STREQ(types[0].code, "MW-PIPESECTION");              // the key the layer keeps
    EXPECT_STREQ(types[0].recordClass, "IP");
    EXPECT_EQ(ProductDb_ListTypes(VlDataTechDb_Handle(), "", types, &last), -1);

    std::vector<ProductListEntry> thicknesses(kProductListSize);
    int selection = 0;
    ASSERT_EQ(ProductDb_ListProducts("MW-PIPESECTION", "IP", thicknesses.data(), "MWP-114.3-50", &selection, 114.3f,
                                     false),
              0);
    const char* expected[] = {"", "20", "30", "40", "50", "60", "80", "100", ""};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_STREQ(thicknesses[i].name, expected[i]) << "entry " << i;
    EXPECT_STREQ(thicknesses[4].code, "MWP-114.3-50");
    EXPECT_EQ(selection, 4);
    EXPECT_EQ(ProductDb_ListProducts("", "IP", thicknesses.data(), "", &selection, 0, false), -1);
    // A type without thickness records: the heading and the own thickness.
    EXPECT_EQ(ProductDb_ListProducts("NO-SUCH-TYPE", "IP", thicknesses.data(), "", &selection, 0, false), 0);
    EXPECT_STREQ(thicknesses[1].code, kCodeOwnThickness);
    EXPECT_TRUE(ProductList_IsEnd(thicknesses[2]));

    // The layer choice of the pages takes its lists the same way.
    ASSERT_EQ(ProductList_Build(Kind_Pipe, types), 0);
    const int pipeSections = ProductList_FindIndex(0, "MW-PIPESECTION", types);
    ASSERT_GT(pipeSections, 0);
    EXPECT_STREQ(types[pipeSections].recordClass, "IP");
    ASSERT_EQ(ProductList_Build(Kind_Plane, types), 0);
    EXPECT_EQ(ProductList_FindIndex(0, "MW-PIPESECTION", types), -1);
    std::vector<ProductListEntry> sameWay(kProductListSize);
    LayerChoices_BuildThicknessList("MW-PIPESECTION", "IP", sameWay.data(), "", nullptr, 114.3f, false);
    EXPECT_STREQ(sameWay[1].code, "MWP-114.3-20");
}

TEST_F(ExtendedTest, CheapestCombinationOnTheTechnicalDataGoesBackIntoTheRecord)
{
    Start();
    CalcRecord record{};
    record.geometryFlags[1] = 1;
    record.outerDiameters[0] = 114.3f;
    const char* layers[2][2] = {{"MW-PIPESECTION", "IP"}, {"MW-WIREDMAT", "IM"}};
    for (int k = 0; k < 2; ++k) {
        std::snprintf(record.productType[k], sizeof(record.productType[k]), "%s", layers[k][0]);
        std::snprintf(record.productClass[k], sizeof(record.productClass[k]), "%s", layers[k][1]);
    }
    const CheapestSearchInput input = Cheapest_InputFromRecord(record, true);
    EXPECT_TRUE(input.layers[0].pipeSections);
    EXPECT_FALSE(input.layers[1].pipeSections);
    float layer2Beneath = 0;
    const CheapestSteps steps = Cheapest_DatabaseSteps(input, [&](const CheapestCombination& c) {
        if (c.layers[0].thickness == 50)
            layer2Beneath = c.layers[0].outerDiameter;
        return 1 + std::abs(c.layers[0].thickness - 50) + std::abs(c.layers[1].thickness - 40);
    });
    CheapestResult result{};
    ASSERT_EQ(Cheapest_Search(input, steps, &result), 0);
    EXPECT_EQ(layer2Beneath, 214.3f);   // the section's own outer diameter
    Cheapest_ApplyToRecord(result, &record);
    EXPECT_STREQ(record.productCode[0], "MWP-114.3-50");
    EXPECT_STREQ(record.productCode[1], "MWM-40");
    EXPECT_EQ(record.thickness[1], 40.0f);
    EXPECT_STREQ(record.productCode[2], "");
}

// A product class "IX" of records {key, type, thickness} in a database of
// this test's own, open while the holder lives.
class ProductDatabase {
public:
    struct Record {
        std::string key, type;
        float thickness;
    };
    ProductDatabase(const std::string& schema, const std::string& file, const std::vector<Record>& records)
    {
        std::ofstream(schema) << "torbase-schema 1\nclass IX 40\natt 1606 string\n";
        db_ = ddq_openwithschema(schema.c_str(), file.c_str(), 0);
        ddq_createfile(db_);
        ddq_begintransaction(db_, 1);
        for (const Record& r : records) {
            ddq_record* record = ddq_newrecord(db_, "IX", r.key.c_str());
            ddq_putfield(db_, &record, 1606, r.type.c_str(), static_cast<short>(r.type.size()));
            ddq_putfield(db_, &record, 1304, &r.thickness, 1);
            ddq_writerecord(db_, record);
            ddq_freerecord(record);
        }
        ddq_endtransaction(db_);
    }
    ~ProductDatabase() { ddq_closefile(db_); }
    short handle() const { return db_; }

private:
    short db_;
};

TEST_F(ExtendedTest, TypesInTheEnginesOrderAndEveryThicknessOfALargeType)
{
    std::vector<ProductDatabase::Record> records = {
        {"A1", "X", 10}, {"A2", "Y", 20}, {"A3", "X", 30}, {"A4", "", 40}, {"A5", "", 50}};
    for (int i = 1; i <= 300; ++i) {
        char key[8];
        std::snprintf(key, sizeof(key), "B%d", 1000 + i);
        records.push_back({key, "LARGE", static_cast<float>(i)});
    }
    records.push_back({"B9999", "LARGE", 0});   // no thickness: not a product
    ProductDatabase database(TempPath("products.ddq"), TempPath("products.db"), records);

    ProductListEntry types[kProductListSize] = {};
    int16_t last = -1;
    ASSERT_EQ(ProductDb_ListTypes(database.handle(), "IX", types, &last), 0);
    const char* expected[] = {"X", "Y", "", "LARGE"};
    ASSERT_EQ(last, 3);
    for (int i = 0; i <= last; ++i) {
        EXPECT_STREQ(types[i].name, expected[i]) << "type " << i;
        EXPECT_STREQ(types[i].code, expected[i]) << "type " << i;
    }
    const std::vector<ProductListEntry> large = ProductDb_ReadCandidates(database.handle(), "LARGE", "IX");
    ASSERT_EQ(large.size(), 300u);
    EXPECT_STREQ(large[299].name, "300");
    EXPECT_STREQ(large[299].code, "B1300");
}

// Pixels of the menu text colour in a logo control of class and id.
int InkedPixels(const char* className, int id)
{
    TsDialog dialog(
        [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; });
    HWND logo = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 160, 60, dialog.hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
    ShowWindow(dialog.hwnd(), SW_SHOW);
    UpdateWindow(logo);
    HDC dc = GetDC(logo);
    int inked = 0;
    for (int y = 0; y < 57; ++y)
        for (int x = 0; x < 150; ++x)
            inked += GetPixel(dc, x, y) == GetSysColor(COLOR_MENUTEXT);
    ReleaseDC(logo, dc);
    return inked;
}

TEST_F(ExtendedTest, LogoControlsPaintOnlyTheBitmapOfTheirId)
{
    Start();
    struct LogoRow {
        const char* className;
        int id;
        bool inked;
    };
    const LogoRow rows[] = {
        {"Custom_Logo", IDC_EXT_LOGO_LARGE, true},   {"Custom_Logo", IDC_EXT_LOGO_SMALL, true},
        {"Custom_Standard", IDC_EXT_STANDARD, true}, {"Custom_Logo2", IDC_EXT_LOGO_LARGE, true},
        {"Custom_Logo", 999, false},                 {"Bitmap", IDC_EXT_LOGO_SMALL, false},
    };
    for (const LogoRow& row : rows)
        EXPECT_EQ(InkedPixels(row.className, row.id) > 100, row.inked) << row.className << " " << row.id;
    // The toolbar carries the bitmap control and spans the main window.
    HWND toolbar = GetDlgItem(window(), IDC_TOOLBAR);
    EXPECT_NE(GetDlgItem(toolbar, IDC_EXT_TOOLBAR_LOGO), nullptr);
    RECT client{}, bar{};
    GetClientRect(window(), &client);
    GetClientRect(toolbar, &bar);
    EXPECT_EQ(bar.right - bar.left, client.right - client.left);
}

}  // namespace
