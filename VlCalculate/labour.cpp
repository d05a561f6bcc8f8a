// Labour prices of the insulation layers from the price tables of the
// project's currency: pipe tables by the diameter under each layer, flat
// tables per layer, rectangular ducts by each layer's perimeter.
#include <string>
#include "VlCalculate/calc_internal.h"
#include "support/attributes.h"

namespace {
constexpr int16_t kPipeLabourTable = 1603;
constexpr int16_t kFlatLabourTable = 1604;
constexpr int kMaxPipeRows = 64;
constexpr char kUnusedLayer[] = "-789";

// One row of a pipe labour table: up to a diameter limit (m), the labour of
// the product as layer 1, 2 or 3, and the extra for the outermost layer.
struct PipeLabourRow {
    float limit;
    float layer[3];
    float extra;
};
struct PipeLabourTable {
    PipeLabourRow row[kMaxPipeRows];
};
static_assert(sizeof(PipeLabourRow) == 5 * sizeof(float));

// A flat labour table: the product as layer 1, 2 or 3, and the extra.
struct FlatLabourTable {
    float layer[3];
    float extra;
};
static_assert(sizeof(FlatLabourTable) == 4 * sizeof(float));

bool ReadPipeTable(const std::string& code, PipeLabourTable& table)
{
    return Deps_TechFloats(Calc().priceDb, "PR", code.c_str(), kPipeLabourTable, &table.row[0].limit,
                           kMaxPipeRows * 5) > 0;
}

bool ReadFlatTable(const std::string& code, FlatLabourTable& table)
{
    return Deps_TechFloats(Calc().priceDb, "PR", code.c_str(), kFlatLabourTable, table.layer, 4) > 0;
}

// The row for a layer on diameter x (mm): the first whose limit lies above x.
// A table whose first limit is not above 0 has one row for every diameter;
// NULL when x lies above every limit.
const PipeLabourRow* MatchRow(const PipeLabourTable& table, double x)
{
    if (!(table.row[0].limit > 0.0f)) {
        return &table.row[0];
    }
    for (const PipeLabourRow& row : table.row) {
        if (!(row.limit > 0.0f)) {
            break;
        }
        if (row.limit * 1000.0 > x) {
            return &row;
        }
    }
    return nullptr;
}

// The three layers of the page as labour sees them.
struct LabourLayers {
    LayerParts parts;
    bool present[3] = {};
    std::string code[3];
    // The outermost used layer, whose table adds the extra.
    int outermost() const { return !present[1] ? 0 : !present[2] ? 1 : 2; }
};

LabourLayers ReadLabourLayers(const char* firstCode)
{
    LabourLayers layers;
    layers.parts = ReadLayerParts();
    for (int k = 0; k < 3; ++k) {
        const int32_t part = layers.parts.part[k];
        layers.present[k] = part > 0 && Deps_PageString(part, Att_ProductType, kProductCodeLength) != kUnusedLayer;
        layers.code[k] = Deps_PageString(part, Att_ProductCode, kProductCodeLength);
    }
    if (firstCode != nullptr && firstCode[0] != '\0')
        layers.code[0] = BoundedCode(firstCode);
    return layers;
}

// Diameter (mm) under layer k: the pipe or round duct, or the layer beneath.
double DiameterUnder(const LayerParts& parts, int k)
{
    if (k > 0) {
        return ZeroIfMissing(Deps_PageFloat(parts.part[k - 1], Att_OuterDiameter));
    }
    float diameters[2];
    Deps_PageFloats(0, Att_OuterDiameters, diameters, 2);
    return ZeroIfMissing(diameters[Deps_PageShort(0, Att_ObjectKind) == Kind_RoundDuct ? 1 : 0]);
}

// Layer k's share of the pipe (kind 0) or flat (kind 1) labour.
LabourShare ShareOf(const LabourLayers& layers, int k, short kind)
{
    LabourShare share{};
    share.present = layers.present[k] ? 1 : 0;
    if (!share.present) {
        return share;
    }
    if (kind == 0) {
        PipeLabourTable table{};
        share.tableFound = ReadPipeTable(layers.code[k], table) ? 1 : 0;
        const PipeLabourRow* row = share.tableFound ? MatchRow(table, DiameterUnder(layers.parts, k)) : nullptr;
        if (row != nullptr) {
            share.rowFound = 1;
            share.labour = row->layer[k];
            share.extra = row->extra;
        }
    } else if (kind == 1) {
        FlatLabourTable table{};
        share.tableFound = share.rowFound = ReadFlatTable(layers.code[k], table) ? 1 : 0;
        if (share.tableFound) {
            share.labour = table.layer[k];
            share.extra = table.extra;
        }
    }
    return share;
}

// The labour of the used layers plus the outermost one's extra; 0 with
// missing set when a used layer has no table or too small a labour.
float SumShares(const LabourShare shares[3], short kind, bool& missing)
{
    const float least = kind == 0 ? 0.001f : 0.0001f;
    const int outermost = !shares[1].present ? 0 : !shares[2].present ? 1 : 2;
    double total = 0.0;
    for (int k = 0; k < 3; ++k) {
        const LabourShare& share = shares[k];
        if (!share.present) {
            continue;
        }
        if (!share.tableFound) {
            missing = true;
            continue;
        }
        if (!share.rowFound) {
            continue;
        }
        if (share.labour < least) {
            missing = true;
        }
        total += share.labour;
    }
    if (shares[outermost].rowFound) {
        total += shares[outermost].extra;
    }
    return missing ? 0.0f : static_cast<float>(total);
}

float PipeOrFlatLabour(const LabourLayers& layers, short kind, bool& missing)
{
    LabourShare shares[3];
    for (int k = 0; k < 3; ++k) {
        shares[k] = ShareOf(layers, k, kind);
    }
    return SumShares(shares, kind, missing);
}

double LayerThickness(const LayerParts& parts, int k)
{
    return ZeroIfMissing(Deps_PageFloat(parts.part[k], Att_NominalThickness));
}

// Outer perimeter (mm) of layer k of a rectangular duct when that layer is s mm thick.
double DuctLayerPerimeter(const LayerParts& parts, int k, double s)
{
    const double w = ZeroIfMissing(Deps_PageFloat(0, Att_DuctWidth));
    const double h = ZeroIfMissing(Deps_PageFloat(0, Att_DuctHeight));
    double beneath = 0.0;  // insulation under the layer on each side
    for (int j = 0; j < k; ++j) {
        beneath += 2.0 * LayerThickness(parts, j);
    }
    return 2.0 * w + 2.0 * h + 4.0 * beneath + 4.0 * s;
}

constexpr double kLeastDuctPerimeter = 0.00001;  // mm

// Rectangular duct: each layer's rate over its own outer perimeter.
float DuctLabour(const LabourLayers& layers, bool& missing)
{
    const int outer = layers.outermost();
    double total = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double perimeter = DuctLayerPerimeter(layers.parts, k, LayerThickness(layers.parts, k));
        if (!layers.present[k]) {
            continue;
        }
        FlatLabourTable table{};
        if (!ReadFlatTable(layers.code[k], table)) {
            missing = true;
            continue;
        }
        if (table.layer[k] < 0.0001f) {
            missing = true;
        }
        const double rate = table.layer[k] + (k == outer ? table.extra : 0.0f);
        if (!(perimeter > kLeastDuctPerimeter)) {
            missing = true;
            total = 0.0;
            continue;
        }
        total += perimeter / 1000.0 * rate;
    }
    return missing ? 0.0f : static_cast<float>(total);
}

// One product as layer k of a rectangular duct: its own rate (with the extra
// when it is the outermost layer) over the layer's perimeter at the
// product's thickness.
float OneDuctLabour(const LayerParts& parts, int k, const std::string& code, bool outermost)
{
    FlatLabourTable table{};
    if (!ReadFlatTable(code, table)) {
        return 0.0f;
    }
    double s = ProductThickness(parts.part[k], code);
    if (!(s > 0.0)) {
        s = LayerThickness(parts, k);
    }
    const double perimeter = DuctLayerPerimeter(parts, k, s);
    const double rate = table.layer[k] + (outermost ? table.extra : 0.0f);
    return perimeter > kLeastDuctPerimeter ? static_cast<float>(perimeter / 1000.0 * rate) : 0.0f;
}

// One product as layer `part`; outermost adds the extra that the page's
// labour gives its outermost layer.
float OneLayerLabour(long part, const char* productCode, short kind, bool outermost)
{
    SelectPriceDatabase();
    const LayerParts parts = ReadLayerParts();
    const int k = parts.indexOf(part);
    if (k < 0 || productCode == nullptr) {
        return 0.0f;
    }
    const std::string code = BoundedCode(productCode);
    if (Deps_PageShort(0, Att_ObjectKind) == Kind_RectDuct) {
        return OneDuctLabour(parts, k, code, outermost);
    }
    if (kind == 0) {
        PipeLabourTable table{};
        if (!ReadPipeTable(code, table)) {
            return 0.0f;
        }
        const PipeLabourRow* row = MatchRow(table, DiameterUnder(parts, k));
        return row != nullptr ? row->layer[k] + (outermost ? row->extra : 0.0f) : 0.0f;
    }
    if (kind == 1) {
        FlatLabourTable table{};
        return ReadFlatTable(code, table) ? table.layer[k] + (outermost ? table.extra : 0.0f) : 0.0f;
    }
    return 0.0f;
}
} // namespace

float WINAPI CalculateLabourPrice(short kind, int* missing)
{
    return SystemLabourPrice(kind, missing, nullptr);
}

float SystemLabourPrice(short kind, int* missing, const char* firstCode)
{
    *missing = 0;
    Deps_PageDelete(0, Att_PipeLabourPrice);
    Deps_PageDelete(0, Att_FlatLabourPrice);
    SelectPriceDatabase();
    const LabourLayers layers = ReadLabourLayers(firstCode);
    if (!layers.present[0]) {
        return 0.0f;
    }
    bool lacking = false;
    float labour = 0.0f;
    if (Deps_PageShort(0, Att_ObjectKind) == Kind_RectDuct) {
        labour = DuctLabour(layers, lacking);
        if (!lacking) {
            Deps_PageSetFloat(0, Att_PipeLabourPrice, labour);
        }
    } else if (kind == 0) {
        labour = PipeOrFlatLabour(layers, kind, lacking);
        Deps_PageSetFloat(0, Att_PipeLabourPrice, labour);
    } else if (kind == 1) {
        labour = PipeOrFlatLabour(layers, kind, lacking);
        Deps_PageSetFloat(0, Att_FlatLabourPrice, labour);
    }
    *missing = lacking ? 1 : 0;
    return labour;
}

float WINAPI CalculateOneLabourPrice(long part, char* productCode, short kind)
{
    return OneLayerLabour(part, productCode, kind, false);
}

float SingleLayerLabourPrice(long part, const char* productCode, short kind)
{
    return OneLayerLabour(part, productCode, kind, true);
}

void WINAPI CalculateLabourShare(long part, short kind, LabourShare* share)
{
    *share = LabourShare{};
    SelectPriceDatabase();
    const LabourLayers layers = ReadLabourLayers(nullptr);
    const int k = layers.parts.indexOf(static_cast<int32_t>(part));
    if (k >= 0) {
        *share = ShareOf(layers, k, kind);
    }
}

float WINAPI SumLabourShares(const LabourShare* shares, short kind, int* missing)
{
    *missing = 0;
    if (!shares[0].present || (kind != 0 && kind != 1)) {
        return 0.0f;   // as the page's labour without a first layer or a price kind
    }
    bool lacking = false;
    const float labour = SumShares(shares, kind, lacking);
    *missing = lacking ? 1 : 0;
    return labour;
}
