// The insulation target's limit tests, one table row per input in the order
// the user is told about them.
#include "VlInterface/workspace/target_limits.h"
#include "VlInterface/workspace/page_target_ids.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "support/lookups.h"
#include "support/attributes.h"
#include <cstddef>

namespace {

enum class When { Always, Pipe, RoundDuct, RectDuct, ContentsNotWarmer };

struct LimitRow {
    When when;
    size_t value;   // offset of the float in the record
    const char* key;
    int control;
};

constexpr LimitRow kLimits[] = {
    {When::Pipe, offsetof(CalcRecord, outerDiameters), "HLOSSOUTERDIAMTARGET_MM", IDC_TG_PIPE_DIAMETER},
    {When::RoundDuct, offsetof(CalcRecord, outerDiameters) + sizeof(float), "HLOSSOUTERDIAMTARGET_MM",
     IDC_TG_DUCT_DIAMETER},
    {When::RectDuct, offsetof(CalcRecord, width), "HLOSSWIDTH_MM", IDC_TG_WIDTH},
    {When::RectDuct, offsetof(CalcRecord, height), "HLOSSHEIGHT_MM", IDC_TG_HEIGHT},
    {When::Always, offsetof(CalcRecord, contentsTemperature), "HLOSSCONTENTTEMPERATURE_C", IDC_TG_CONTENTS_TEMP},
    {When::Always, offsetof(CalcRecord, ambientTemperature), "HLOSSAMBIENTTEMPERATURE_C", IDC_TG_AMBIENT_TEMP},
    {When::ContentsNotWarmer, offsetof(CalcRecord, relativeHumidity), "HLOSSRELATIVEHUMIDITY", IDC_TG_HUMIDITY},
    {When::Always, offsetof(CalcRecord, airVelocity), "HLOSSAIRVELOCITY_MS", IDC_TG_AIR_VELOCITY},
#ifdef VL_EXTENDED
    {When::Always, offsetof(CalcRecord, targetHumidity), "HLOSSRELATIVEHUMIDITY", IDC_TG_TARGET_HUMIDITY},
#endif
};

bool Applies(When when, const CalcRecord& record)
{
    switch (when) {
    case When::Pipe: return record.geometry == Kind_Pipe;
    case When::RoundDuct: return record.geometry == Kind_RoundDuct;
    case When::RectDuct: return record.geometry == Kind_RectDuct;
    case When::ContentsNotWarmer: return !(record.contentsTemperature > record.ambientTemperature);
    case When::Always: break;
    }
    return true;
}

float ValueAt(const CalcRecord& record, size_t offset)
{
    return *reinterpret_cast<const float*>(reinterpret_cast<const char*>(&record) + offset);
}

} // namespace

int TargetInputs_CheckLimits(HWND owner, const CalcRecord& record, bool warn, int* control)
{
    if (control)
        *control = 0;
    if (!Shell_HasLayerParts())
        return 0;
    for (const LimitRow& row : kLimits) {
        if (!Applies(row.when, record))
            continue;
        if (InputLimits_Check(owner, ValueAt(record, row.value), row.key, warn) != 0) {
            if (control)
                *control = row.control;
            return -1;
        }
    }
    return 0;
}
