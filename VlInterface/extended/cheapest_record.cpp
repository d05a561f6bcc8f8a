// Between the cheapest-combination search and the calculation record: the
// search's input read from the record, and the chosen thicknesses written
// back. The page's dimension update and recalculation follow elsewhere.
#include "VlInterface/extended/cheapest.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "support/utf8.h"
#include <cstring>

namespace {

bool IsTechnicalProduct(const char* recordClass)
{
    return recordClass[0] && std::strcmp(recordClass, "UI") != 0;
}

}  // namespace

CheapestSearchInput Cheapest_InputFromRecord(const CalcRecord& record, bool firstLayerIsProduct)
{
    CheapestSearchInput input{};
    input.firstLayerIsProduct = firstLayerIsProduct;
    input.diameterBeneath = record.geometryFlags[1] ? record.outerDiameters[0] : record.outerDiameters[1];
    for (int k = 0; k < kCheapestLayers; ++k) {
        CheapestLayerInput& layer = input.layers[k];
        Utf8_CopyCut(layer.recordClass, sizeof(layer.recordClass), record.productClass[k]);
        if (!IsTechnicalProduct(layer.recordClass))
            continue;
        Utf8_CopyCut(layer.typeKey, sizeof(layer.typeKey), record.productType[k]);
        layer.pipeSections = !ProductClass_IsFreeThickness(layer.recordClass);
    }
    return input;
}

void Cheapest_ApplyToRecord(const CheapestResult& result, CalcRecord* record)
{
    for (int k = 0; k < kCheapestLayers; ++k) {
        if (result.selected[k] <= 0)
            continue;
        Utf8_CopyCut(record->productCode[k], sizeof(record->productCode[k]), result.code[k]);
        record->thickness[k] = result.thickness[k];
    }
}
