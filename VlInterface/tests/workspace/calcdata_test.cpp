// Shared calculation data against the real technical, insulation and weather
// data beside the modules: product lists by geometry (user types past a
// removed one), thickness choices deduplicated, sorted and fitted to the
// pipe, the pipe-section refit, layer dimensions, surfaces, locations,
// contents, the currency and the walk over every system.
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/workspace/calcdata.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "outside/Lexmo100/lexmo.h"
#include "VlTechDatabase/vltechdb.h"
#include "support/lookups.h"
#include "testsupport/temp_project.h"
#include <cstring>
#include <string>
#include <vector>

namespace {

class CalcDataTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_GE(VlDataTechDb_Handle(), 0);
        Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), Shell().textHandle);
    }
    ProductListEntry list_[kProductListSize] = {};
};

std::vector<std::string> Codes(const ProductListEntry* list)
{
    std::vector<std::string> codes;
    for (int i = 0; i < kProductListSize && !ProductList_IsEnd(list[i]); ++i)
        codes.push_back(list[i].code);
    return codes;
}

std::vector<std::string> Names(const ProductListEntry* list)
{
    std::vector<std::string> names;
    for (int i = 1; i < kProductListSize && list[i].textId == 0 && !ProductList_IsEnd(list[i]); ++i)
        names.push_back(list[i].name);
    return names;
}

using Strings = std::vector<std::string>;
const Strings kIm = {"MW-SLAB-HT", "MW-WIREDMAT", "CG-SLAB", "CS-SLAB"};
const Strings kIp = {"MW-PIPESECTION", "MW-PIPESECTION-ALU", "EF-TUBE", "PIR-SECTION"};
const Strings kUser = {"1", "2", "3", "5"};   // number 4 was removed

Strings Concat(std::initializer_list<Strings> parts)
{
    Strings all = {"-789"};
    for (const Strings& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(CalcDataTest, ProductListsByGeometry)
{
    const struct { const char* name; int16_t geometry; Strings codes; } rows[] = {
        {"plane surface: no pipe sections", Kind_Plane, Concat({kIm, {"EF-SHEET"}, kUser})},
        {"pipe", Kind_Pipe, Concat({kIm, kIp, {"EF-SHEET"}, kUser})},
        {"rectangular duct", Kind_RectDuct, Concat({kIm, {"EF-SHEET"}, kUser})},
        {"no geometry stored yet: pipe sections too", 0, Concat({kIm, kIp, {"EF-SHEET"}, kUser})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ProductList_Build(row.geometry, list_), 0);
        EXPECT_EQ(Codes(list_), row.codes);
        EXPECT_STREQ(list_[0].name, Shell_Text(40039));
        EXPECT_TRUE(ProductList_IsNoProduct(list_, 0));
        EXPECT_STREQ(list_[1].name, "Mineral wool slab, high temperature");
        const int five = ProductList_FindIndex(0, "5", list_);
        EXPECT_TRUE(ProductList_IsUserInsulation(list_, five));
        EXPECT_STREQ(list_[five].name, "Load-bearing cellular glass");
        EXPECT_EQ(list_[five].number, five);
    }
}

TEST_F(CalcDataTest, ThicknessChoicesFromTheTechnicalData)
{
    const Strings sections = {"20", "30", "40", "50", "60", "80", "100"};
    const struct {
        const char* name;
        const char* cls;
        const char* type;
        float beneath;
        const char* current;
        Strings thicknesses;
        const char* codePrefix;    // of every record taken
        int selection;
    } rows[] = {
        {"sections that fit a 60.3 pipe", "IP", "MW-PIPESECTION", 60.3f, "MWP-60.3-50", sections, "MWP-60.3-", 4},
        {"the next size up over 50 mm", "IP", "MW-PIPESECTION", 50, "MWP-17.2-30", sections, "MWP-60.3-", 2},
        {"nothing fits beyond the largest", "IP", "MW-PIPESECTION", 400, "", {}, nullptr, 0},
        {"slabs fit anything, sorted by number", "IM", "MW-SLAB-HT", 500, "MWS-100",
         {"20", "30", "40", "50", "60", "70", "80", "100", "120", "150"}, "MWS-", 8},
        {"own thickness chosen", "IM", "MW-WIREDMAT", 0, "-456", {"30", "40", "50", "60", "70", "80", "100", "120"},
         "MWM-", 9},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int selection = -7;
        ASSERT_EQ(LayerChoices_BuildThicknessList(row.type, row.cls, list_, row.current, &selection, row.beneath,
                                                  false), 0);
        EXPECT_EQ(Names(list_), row.thicknesses);
        const size_t own = row.thicknesses.size() + 1;
        EXPECT_STREQ(list_[0].code, "-987");
        EXPECT_EQ(list_[0].textId, 20017);
        EXPECT_TRUE(ThicknessList_IsOwnThickness(list_, int(own)));
        EXPECT_EQ(list_[own].number, int(own));
        for (size_t i = 1; i < own; ++i)
            EXPECT_EQ(std::string(list_[i].code).rfind(row.codePrefix, 0), 0u) << list_[i].code;
        EXPECT_EQ(selection, row.selection);
    }
    EXPECT_EQ(LayerChoices_BuildThicknessList("NO-SUCH-TYPE", "IM", list_, "", nullptr, 0, false), -1);
}

// Candidates named 50, 30, 50, 80: the 50s have inner diameters 60.3 and
// 33.7, the others none; on a 42 mm pipe the 50 over 33.7 does not fit.
TEST_F(CalcDataTest, ThicknessChoicesFromCandidates)
{
    ProductListEntry candidates[4] = {
        {0, 0, "50", "MWP-60.3-50", "IP"}, {1, 0, "30", "NONE-30", "IP"},
        {2, 0, "50", "MWP-33.7-50", "IP"}, {3, 0, "80", "NONE-80", "IP"}};
    const struct { const char* name; bool match; const char* current; float beneath; const char* fifty; } rows[] = {
        {"smallest fitting inner diameter", false, "MWP-48.3-50", 42, "MWP-60.3-50"},
        {"the current code when matching", true, "MWP-33.7-50", 30, "MWP-33.7-50"},
        {"a matching code that does not fit", true, "MWP-33.7-50", 42, "MWP-60.3-50"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int selection = -1;
        ProductList_BuildThicknessChoices(list_, candidates, 4, "IP", row.current, &selection, row.beneath, row.match);
        EXPECT_EQ(Codes(list_), (Strings{"-987", "NONE-30", row.fifty, "NONE-80", "-456"}));
        EXPECT_EQ(selection, 2) << "the entry of the current code's thickness";
    }
}

TEST_F(CalcDataTest, PipeSectionRefitFindsARealEntry)
{
    ProductList_Build(Kind_Pipe, list_);
    const int product = ProductList_FindIndex(0, "MW-PIPESECTION", list_);
    ProductListEntry candidates[2] = {{0, 0, "20", "MWP-33.7-20", "IP"}, {1, 0, "50", "MWP-60.3-50", "IP"}};
    ProductListEntry thicknesses[kProductListSize];
    ProductList_BuildThicknessChoices(thicknesses, candidates, 2, "IP", "", nullptr, 0, false);
    const struct { const char* name; int selected; float beneath; int result; float inner, outer; } rows[] = {
        {"the selected section fits", 1, 30, 1, 33.7f, 73.7f},
        {"a larger section is found", 1, 42, 2, 60.3f, 160.3f},
        {"nothing fits", 1, 70, -1, 0, 0},
        {"own thickness stays", 3, 70, 3, 11, 22},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        int selected = row.selected;
        float inner = 11, outer = 22;
        EXPECT_EQ(LayerChoices_FitPipeSection(list_, product, thicknesses, &selected, &inner, &outer, row.beneath),
                  row.result);
        EXPECT_FLOAT_EQ(inner, row.inner);
        EXPECT_FLOAT_EQ(outer, row.outer);
    }
}

TEST_F(CalcDataTest, LayerDimensionsOnAPipe)
{
    ProductList_Build(Kind_Pipe, list_);
    ProductListEntry slabs[kProductListSize];
    int selected[3] = {3, 0, 0};   // 40 mm
    LayerChoices_BuildThicknessList("MW-SLAB-HT", "IM", slabs, "", nullptr, 0, false);
    ProductListEntry* lists[3] = {slabs, nullptr, nullptr};
    const int products[3] = {ProductList_FindIndex(0, "MW-SLAB-HT", list_), 0, 0};
    CalcRecord record{};
    record.geometryFlags[1] = 1;
    record.outerDiameters[0] = 88.9f;
    std::strcpy(record.productClass[0], "IM");
    LayerChoices_UpdateDimensions(&record, 1, LayerDim_ThicknessGiven, list_, lists, products, selected);
    EXPECT_FLOAT_EQ(record.thickness[0], 40);
    EXPECT_FLOAT_EQ(record.innerDiameter[0], 88.9f);
    EXPECT_FLOAT_EQ(record.outerDiameter[0], 168.9f);
    record.outerDiameter[0] = 188.9f;
    LayerChoices_UpdateDimensions(&record, 1, LayerDim_DiametersGiven, list_, lists, products, selected);
    EXPECT_FLOAT_EQ(record.thickness[0], 50);
}

TEST_F(CalcDataTest, SurfacesAndTheirEmissivity)
{
    ASSERT_EQ(SurfaceMaterialList_Build(list_), 0);
    const Strings codes = Codes(list_);
    ASSERT_EQ(codes.size(), 12u);
    EXPECT_EQ(codes.front(), "-200");
    EXPECT_EQ(codes.back(), "-201");
    EXPECT_STREQ(list_[1].name, Shell_Text(41001));

    ProductListEntry products[kProductListSize];
    ProductList_Build(Kind_Pipe, products);
    const int alu = ProductList_FindIndex(0, "MW-PIPESECTION-ALU", products);
    CalcRecord record{};
    std::strcpy(record.productClass[0], "IP");
    const struct {
        const char* name;
        const char* code;
        int layers[3];
        const char* thickness;   // layer 1's chosen record
        int result;
        float emissivity;
    } rows[] = {
        {"a material", "GALV-STEEL", {0, 0, 0}, "MWA-60.3-50", 0, 0.26f},
        {"the outermost product, layer 1 only", "-200", {alu, 0, 0}, "MWA-60.3-50", 0, 0.05f},
        {"own thickness: the product type's", "-200", {alu, 0, 0}, "-456", 0, 0.05f},
        {"no thickness chosen yet: the product type's", "-200", {alu, 0, 0}, "-987", 0, 0.05f},
        {"no product at all", "-200", {0, 0, 0}, "MWA-60.3-50", 0, 0},
        {"given by the user", "-201", {alu, 0, 0}, "MWA-60.3-50", -1, 0.5f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::strcpy(record.productCode[0], row.thickness);
        record.emissivity = 0.5f;
        EXPECT_EQ(SurfaceMaterial_UpdateEmissivity(&record, row.code, products, row.layers), row.result);
        EXPECT_FLOAT_EQ(record.emissivity, row.emissivity);
    }
}

TEST_F(CalcDataTest, LocationsAndTheirWeather)
{
    ASSERT_EQ(LocationList_Build(list_), 0);
    const Strings codes = Codes(list_);
    ASSERT_GT(codes.size(), 10u);
    const int user = int(codes.size()) - 1;
    EXPECT_EQ(list_[user].number, -100);
    EXPECT_STREQ(list_[user].name, Shell_Text(20043));
    const int helsinki = ProductList_FindIndex(0, "1", list_);
    EXPECT_STREQ(list_[helsinki].name, "Helsinki");

    CalcRecord record{};
    record.location = int16_t(helsinki);
    EXPECT_EQ(Location_ApplyWeather(&record, "1"), 0);
    EXPECT_FLOAT_EQ(record.ambientTemperature, 5.9f);
    EXPECT_FLOAT_EQ(record.airVelocity, 4);
    record.location = -100;
    EXPECT_EQ(Location_ApplyWeather(&record, "2"), -1);
    EXPECT_FLOAT_EQ(record.ambientTemperature, 5.9f);
    // No location (an older file's position matching a cleared entry) gives
    // user conditions; a record removed from the weather data is shown as
    // removed: the system keeps its key and values.
    const struct { const char* code; int16_t location; } unmatched[] = {{"", -100}, {"9999", kLocationRemoved}};
    for (const auto& row : unmatched) {
        SCOPED_TRACE(row.code);
        record.location = 0;
        EXPECT_EQ(Location_ApplyWeather(&record, row.code), -1);
        EXPECT_EQ(record.location, row.location);
        EXPECT_STREQ(record.locationKey, row.code);
        EXPECT_FLOAT_EQ(record.ambientTemperature, 5.9f);
        EXPECT_FLOAT_EQ(record.airVelocity, 4);
    }
    LocationList_AddRemoved(list_, "9999");
    const int removed = ProductList_FindIndex(kLocationRemoved, nullptr, list_);
    ASSERT_EQ(removed, user + 1);
    EXPECT_STREQ(list_[removed].code, "9999");
    EXPECT_EQ(list_[removed].name, RemovedData_LocationName("9999"));
}

TEST_F(CalcDataTest, ContentsAndTheirDefaults)
{
    CalcRecord pipe{};
    pipe.geometryFlags[1] = 1;
    ContentsList_Build(&pipe, list_);
    EXPECT_EQ(Codes(list_).size(), 2u);
    const struct { const char* name; int16_t id; float heat, density; } rows[] = {
        {"air, absent from a pipe's list, gives water", 2, 4186, 980}, {"own values stay", 0, 7, 8},
        {"an unknown id gives air", 9, 1000, 1.2f},
    };
    for (const auto& row : rows) {
        float heat = 7, density = 8;
        Contents_DefaultProperties(list_, row.id, &heat, &density);
        EXPECT_FLOAT_EQ(heat, row.heat) << row.name;
        EXPECT_FLOAT_EQ(density, row.density) << row.name;
    }
}

TEST_F(CalcDataTest, CurrencyAndEverySystem)
{
    TempProject project;
    ASSERT_TRUE(project.loaded());
    // A project keeps its currency; a new one takes the setting when it has prices.
    const struct { short stored; bool priced; short forNewProject; } currencies[] = {
        {1, true, 1}, {2, true, 2}, {7, false, 0}};
    for (const auto& c : currencies) {
        Kadmi_SetIntAtt(-1, 1132, c.stored);
        EXPECT_EQ(CalcData_CurrencyHasPrices(), c.priced) << c.stored;
        EXPECT_EQ(CalcData_RefreshAllSystems(), 0);
        EXPECT_EQ(Kadmi_GetIntAtt(-1, 1132), c.stored) << c.stored;
        EXPECT_EQ(CalcData_NewProjectCurrency(c.stored), c.forNewProject) << c.stored;
    }
    DialogTextTable rows[kPriceDbListRows];
    PriceDbList_Build(rows, 7);
    EXPECT_EQ(rows[2].controlId, 2);
    EXPECT_EQ(rows[2].textId, 50007);
    EXPECT_EQ(rows[3].textId, 0);

    Kadmi_SavePage();
    const short second = Kadmi_CreatePage(), third = Kadmi_CreatePage();
    ASSERT_EQ(Kadmi_LoadPage(second), 0);
    EXPECT_EQ(Project_MarkAccessAllPages("EDT4"), 0);
    EXPECT_EQ(CalcData_RefreshAllSystems(), 0);
    EXPECT_EQ(Kadmi_GetCurrentPage(), second) << "the loaded system stays loaded";
    for (short page : {short(1), second, third}) {
        Kadmi_LoadPage(page);
        EXPECT_GT(Kadmi_CmpAccess(0, "EDT4", 0, "NONE"), 0) << page;
    }
}

}  // namespace
