// Load, store and change comparison of the current calculation record. One
// table names every field with its width, type, attribute, object and change
// group; load, store and comparison all walk it, so a field is described once.
// The flag groups that mirror the stored codes are folded here too.
#include "VlInterface/calcrecord.h"
#include "VlInterface/workspace/calcdata.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/settings.h"
#include "support/utf8.h"
#include <cmath>
#include <cstddef>
#include <cstring>
#include <algorithm>
#include <limits>
#include <span>

CalcRecordGlobals& CalcRecordState()
{
    static CalcRecordGlobals globals;
    return globals;
}

namespace {

enum class FieldType : uint8_t { Text, Int16, Int8, Float, FloatArray, Bytes };

// Which object a field lives on; Memory fields are compared but never stored.
enum class FieldObject : uint8_t { Project, System, Layer1, Layers, Memory };

// One field of the record. count > 1: elements of elementSize bytes side by
// side; for Layers element k belongs to layer k + 1, for FloatArray all of
// them form one attribute. absent: value of an Int16 field that is not stored.
struct CalcField {
    size_t offset;
    uint16_t elementSize;
    uint8_t count;
    FieldType type;
    int16_t attribute;
    FieldObject object;
    uint8_t changeBit;
    int16_t absent;
};

#define CALC_FIELD(member, type, count, att, object, bit) \
    CalcField{offsetof(CalcRecord, member), uint16_t(sizeof(CalcRecord::member) / (count)), count, \
              FieldType::type, att, FieldObject::object, bit, 0}
#define CALC_FIELD_ABSENT(member, att, object, bit, absent) \
    CalcField{offsetof(CalcRecord, member), uint16_t(sizeof(CalcRecord::member)), 1, FieldType::Int16, att, \
              FieldObject::object, bit, absent}

constexpr uint8_t kProject = CalcChange_Project, kInsulation = CalcChange_Insulation,
                  kCooling = CalcChange_Cooling, kFreezing = CalcChange_Freezing, kExtended = CalcChange_Extended,
                  kNone = 0;

// The fields in load order; memory-only fields that take part in the
// comparison follow at the end. Results that are memory only and never
// compared are not listed: a load clears them with the whole record.
const CalcField kFields[] = {
    CALC_FIELD(projectName, Text, 1, Att_ProjectName, Project, kProject),
    CALC_FIELD(customer, Text, 1, Att_Customer, Project, kProject),
    CALC_FIELD(address1, Text, 1, Att_Address1, Project, kProject),
    CALC_FIELD(address2, Text, 1, Att_Address2, Project, kProject),
    CALC_FIELD(reference, Text, 1, Att_Reference, Project, kProject),
    CALC_FIELD(originatedBy, Text, 1, Att_UserName, Project, kProject),
    CALC_FIELD(information, Text, 1, Att_Information, Project, kProject),

    CALC_FIELD(description, Text, 1, Att_SystemName, System, kProject),
    CALC_FIELD(geometry, Int16, 1, Att_ObjectKind, System, kInsulation),
    CALC_FIELD(outerDiameters, FloatArray, 2, Att_OuterDiameters, System, kInsulation),
    CALC_FIELD(width, Float, 1, Att_DuctWidth, System, kInsulation),
    CALC_FIELD(height, Float, 1, Att_DuctHeight, System, kInsulation),
    CALC_FIELD_ABSENT(location, Att_Location, System, kInsulation, -100),
    CALC_FIELD(contentsTemperature, Float, 1, Att_ContentsTemperature, System, kInsulation),
    CALC_FIELD(ambientTemperature, Float, 1, Att_AmbientTemperature, System, kInsulation),
    CALC_FIELD(relativeHumidity, Float, 1, Att_RelativeHumidity, System, kInsulation),
    CALC_FIELD(airVelocity, Float, 1, Att_AirVelocity, System, kInsulation),
    CALC_FIELD_ABSENT(surfaceMaterial, Att_SurfaceMaterial, System, kInsulation, -1),
    CALC_FIELD(surfaceMaterialCode, Text, 1, Att_ProductCode, System, kInsulation),
    CALC_FIELD(emissivity, Float, 1, Att_Emissivity, System, kInsulation),
    CALC_FIELD_ABSENT(reportedSurface, Att_ReportedSurface, System, kInsulation, 1),   // the outer surface
    CALC_FIELD(option1121, Int8, 1, Att_Option1121, System, kInsulation),
    CALC_FIELD(locationKey, Text, 1, Att_LocationKey, System, kNone),
#ifdef VL_EXTENDED
    CALC_FIELD(targetHumidity, Float, 1, Att_TargetHumidity, System, kExtended),
#endif

    CALC_FIELD_ABSENT(calculationCase, Att_CalculationCase, Layer1, kInsulation, -1),
    CALC_FIELD(allowedHeatLoss, Float, 1, Att_HeatLossLimit, Layer1, kInsulation),
    CALC_FIELD(allowedSurfaceTemperature, Float, 1, Att_SurfaceTempLimit, Layer1, kInsulation),

    CALC_FIELD(productType, Text, 3, Att_ProductType, Layers, kInsulation),
    CALC_FIELD(productCode, Text, 3, Att_ProductCode, Layers, kInsulation),
    CALC_FIELD(innerDiameter, Float, 3, Att_InnerDiameter, Layers, kInsulation),
    CALC_FIELD(outerDiameter, Float, 3, Att_OuterDiameter, Layers, kInsulation),
    CALC_FIELD(nominalThickness, Float, 3, Att_NominalThickness, Layers, kNone),
    CALC_FIELD(thickness, Float, 3, Att_Thickness, Layers, kInsulation),
    CALC_FIELD(conductivity, Float, 3, Att_Conductivity, Layers, kInsulation),
    CALC_FIELD(price, Float, 3, Att_UserPrice, Layers, kInsulation),
    CALC_FIELD(productClass, Text, 3, Att_ProductClass, Layers, kNone),

    CALC_FIELD(contents, Int16, 1, Att_Contents, System, kCooling),
    CALC_FIELD(contentsHeatCapacity, Float, 1, Att_ContentsHeatCapacity, System, kCooling),
    CALC_FIELD(contentsDensity, Float, 1, Att_ContentsDensity, System, kCooling),
    CALC_FIELD(pipeHeatCapacity, Float, 1, Att_PipeHeatCapacity, System, kCooling),
    CALC_FIELD(pipeDensity, Float, 1, Att_PipeDensity, System, kCooling),
    CALC_FIELD(coolingCase, Int16, 1, Att_CoolingCase, System, kCooling),
    CALC_FIELD(flowGivenAs, Int16, 1, Att_FlowGivenAs, System, kCooling),
    CALC_FIELD(pipeLength, Float, 1, Att_PipeLength, System, kCooling),
    CALC_FIELD(flowValues[0], Float, 1, Att_MassFlow, System, kCooling),
    CALC_FIELD(flowValues[1], Float, 1, Att_VolumeFlow, System, kCooling),
    CALC_FIELD(flowValues[2], Float, 1, Att_FlowVelocity, System, kCooling),
    CALC_FIELD(vesselShape, Int16, 1, Att_VesselShape, System, kCooling),
    CALC_FIELD(vesselDimensions[0], Float, 1, Att_VesselSide1, System, kCooling),
    CALC_FIELD(vesselDimensions[1], Float, 1, Att_VesselSide2, System, kCooling),
    CALC_FIELD(vesselDimensions[2], Float, 1, Att_VesselHeight, System, kCooling),
    CALC_FIELD(bottomIncluded, Int8, 1, Att_BottomIncluded, System, kCooling),
    CALC_FIELD(finalTemperature, Float, 1, Att_FinalTemperature, System, kCooling),
    CALC_FIELD(freezingContents[0], Float, 1, Att_ContentsHeatCapacityFreezing, System, kFreezing),
    CALC_FIELD(freezingContents[1], Float, 1, Att_ContentsDensityFreezing, System, kFreezing),
    CALC_FIELD(freezingContents[2], Float, 1, Att_FreezingTemperature, System, kFreezing),
    CALC_FIELD(freezingPipe[0], Float, 1, Att_PipeHeatCapacityFreezing, System, kFreezing),
    CALC_FIELD(freezingPipe[1], Float, 1, Att_PipeDensityFreezing, System, kFreezing),
    CALC_FIELD(freezingOptions[0], Int16, 1, Att_FreezingOption1, System, kFreezing),
    CALC_FIELD(freezingOptions[1], Int16, 1, Att_FreezingOption2, System, kFreezing),

    CALC_FIELD(geometryFlags, Bytes, 1, 0, Memory, kInsulation),
    CALC_FIELD(caseFlags, Bytes, 1, 0, Memory, kInsulation),
    CALC_FIELD(labourPrice, Float, 1, 0, Memory, kInsulation),
    CALC_FIELD(layerWorkingValue, Int16, 3, 0, Memory, kInsulation),
    CALC_FIELD(flowFlags, Bytes, 1, 0, Memory, kCooling),
    CALC_FIELD(reserved, Float, 1, 0, Memory, kCooling),
    CALC_FIELD(shapeFlags, Bytes, 1, 0, Memory, kCooling),
    CALC_FIELD(pipeMaterialName, Text, 1, 0, Memory, kFreezing),
    CALC_FIELD(contentsName, Text, 1, 0, Memory, kFreezing),
};

#undef CALC_FIELD
#undef CALC_FIELD_ABSENT

char* FieldAt(CalcRecord& record, const CalcField& field, int element)
{
    return reinterpret_cast<char*>(&record) + field.offset + size_t(element) * field.elementSize;
}

const char* FieldAt(const CalcRecord& record, const CalcField& field, int element)
{
    return reinterpret_cast<const char*>(&record) + field.offset + size_t(element) * field.elementSize;
}

// The project object of element `element` of a stored field; false when the
// field has no object there (a layer whose part number is 0, so that a layer
// value never lands on the system object).
bool ObjectOf(const CalcField& field, int element, long* object)
{
    const int32_t* parts = CalcRecordState().layerParts;
    switch (field.object) {
    case FieldObject::Project: *object = kCalcObjectProject; return true;
    case FieldObject::System: *object = kCalcObjectSystem; return true;
    case FieldObject::Layer1: *object = parts[0]; return parts[0] != 0;
    case FieldObject::Layers: *object = parts[element]; return parts[element] != 0;
    case FieldObject::Memory: return false;
    }
    return false;
}

int ObjectElements(const CalcField& field)
{
    return field.object == FieldObject::Layers ? field.count : 1;
}

void LoadElement(CalcRecord& record, const CalcField& field, int element, long object)
{
    char* target = FieldAt(record, field, element);
    switch (field.type) {
    case FieldType::Text: {
        short count = 0;
        Kadmi_GetAtt(object, field.attribute, &count, target, short(field.elementSize));
        target[Utf8_FitLength(target, field.elementSize - 1u)] = '\0';
        break;
    }
    case FieldType::Int16: {
        int16_t value = Kadmi_GetIntAtt(object, field.attribute);
        if (!Kadmi_LastAttWasFound())
            value = field.absent;
        memcpy(target, &value, sizeof value);
        break;
    }
    case FieldType::Int8:
        *reinterpret_cast<int8_t*>(target) = int8_t(Kadmi_GetIntAtt(object, field.attribute));
        break;
    case FieldType::Float: {
        float value = Kadmi_GetFloatAtt(object, field.attribute);
        memcpy(target, &value, sizeof value);
        break;
    }
    case FieldType::FloatArray: {
        short count = 0;
        Kadmi_GetAtt(object, field.attribute, &count, target, short(field.elementSize * field.count));
        break;
    }
    case FieldType::Bytes:
        break;
    }
}

void StoreElement(const CalcRecord& record, const CalcField& field, int element, long object)
{
    const char* source = FieldAt(record, field, element);
    switch (field.type) {
    case FieldType::Text: {
        char text[kCalcInformationSize + 1];
        Utf8_CopyCut(text, sizeof text < field.elementSize ? sizeof text : size_t(field.elementSize), source);
        Kadmi_SetStringAtt(object, field.attribute, text);
        break;
    }
    case FieldType::Int16: {
        int16_t value;
        memcpy(&value, source, sizeof value);
        Kadmi_SetIntAtt(object, field.attribute, value);
        break;
    }
    case FieldType::Int8:
        Kadmi_SetIntAtt(object, field.attribute, *reinterpret_cast<const int8_t*>(source));
        break;
    case FieldType::Float: {
        float value;
        memcpy(&value, source, sizeof value);
        Kadmi_SetFloatAtt(object, field.attribute, value);
        break;
    }
    case FieldType::FloatArray:
        Kadmi_SetAtt(object, field.attribute, short(field.count), source);
        break;
    case FieldType::Bytes:
        break;
    }
}

bool ElementDiffers(const CalcRecord& a, const CalcRecord& b, const CalcField& field, int element)
{
    const char* x = FieldAt(a, field, element);
    const char* y = FieldAt(b, field, element);
    switch (field.type) {
    case FieldType::Text:
        return strncmp(x, y, field.elementSize) != 0;
    case FieldType::Float:
    case FieldType::FloatArray: {
        float fx, fy;
        memcpy(&fx, x, sizeof fx);
        memcpy(&fy, y, sizeof fy);
        return CalcRecord_CompareKey(fx) != CalcRecord_CompareKey(fy);
    }
    case FieldType::Int16:
    case FieldType::Int8:
    case FieldType::Bytes:
        return memcmp(x, y, field.elementSize) != 0;
    }
    return false;
}

int32_t ChangedBits(const CalcRecord& current, const CalcRecord& last)
{
    int32_t bits = 0;
    for (const CalcField& field : kFields) {
        if (field.changeBit == kNone || (bits & field.changeBit))
            continue;
        for (int e = 0; e < field.count; ++e) {
            if (ElementDiffers(current, last, field, e)) {
                bits |= field.changeBit;
                break;
            }
        }
    }
    return bits;
}

// Sets exactly one flag of a group: the one at index.
void SetOneFlag(std::span<uint8_t> flags, size_t index)
{
    std::fill(flags.begin(), flags.end(), uint8_t(0));
    flags[index] = 1;
}

// Index of the first set flag, or `none` when no flag is set.
int16_t FirstSetFlag(std::span<const uint8_t> flags, int16_t none)
{
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            return int16_t(i);
    return none;
}

void NotifyHook(void (*hook)())
{
    if (hook)
        hook();
}

}  // namespace

int32_t CalcRecord_CompareKey(float value)
{
    if (std::isnan(value))
        return 0;
    double scaled = std::trunc(double(value) * 100.0);
    if (scaled >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (scaled <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(scaled);
}

void CalcRecord_SetLayerParts(int32_t part1, int32_t part2, int32_t part3)
{
    int32_t* parts = CalcRecordState().layerParts;
    parts[0] = part1;
    parts[1] = part2;
    parts[2] = part3;
}

void CalcRecord_CodesToFlags()
{
    CalcRecord& r = CalcRec();
    int16_t g = r.geometry;
    SetOneFlag(r.geometryFlags, g == Kind_Pipe ? 1 : g == Kind_RoundDuct ? 2 : g == Kind_RectDuct ? 3 : 0);
    SetOneFlag(r.caseFlags, r.calculationCase >= 0 && r.calculationCase <= 3 ? size_t(r.calculationCase) : 4);
    SetOneFlag(r.flowFlags, r.flowGivenAs == 1 || r.flowGivenAs == 2 ? size_t(r.flowGivenAs) : 0);
    SetOneFlag(r.shapeFlags, r.vesselShape == 1 ? 1 : 0);
    SetOneFlag(r.coolingCaseFlags, r.coolingCase == 1 ? 1 : 0);
}

namespace {

void FoldFlags(CalcRecord& r)
{
    r.geometry = int16_t(Kind_Plane + FirstSetFlag(r.geometryFlags, 0));
    int16_t calcCase = FirstSetFlag(std::span<const uint8_t>(r.caseFlags, 4), 4);
    r.calculationCase = calcCase;
    r.flowGivenAs = FirstSetFlag(r.flowFlags, 0);
    r.vesselShape = FirstSetFlag(r.shapeFlags, 0);
    r.coolingCase = (r.coolingCaseFlags[0] || !r.coolingCaseFlags[1]) ? 0 : 1;
}

}  // namespace

void CalcRecord_FlagsToCodes()
{
    FoldFlags(CalcRec());
}

bool CalcRecord_IsPlaneOrRectDuct(const CalcRecord& r)
{
    return !r.geometryFlags[Flag_Pipe] && !r.geometryFlags[Flag_RoundDuct];
}

bool CalcRecord_IsPlane(const CalcRecord& r)
{
    return CalcRecord_IsPlaneOrRectDuct(r) && !r.geometryFlags[Flag_RectDuct];
}

float CalcRecord_BaseDiameter(const CalcRecord& r, int k)
{
    if (k > 0)
        return r.outerDiameter[k - 1];
    return r.geometryFlags[Flag_Pipe] ? r.outerDiameters[0] : r.outerDiameters[1];
}

void CalcRecord_Load()
{
    CalcRecordGlobals& g = CalcRecordState();
    memset(&g.current, 0, sizeof g.current);
    for (const CalcField& field : kFields) {
        for (int e = 0; e < ObjectElements(field); ++e) {
            long object = 0;
            if (ObjectOf(field, e, &object))
                LoadElement(g.current, field, e, object);
            else if (field.type == FieldType::Int16)
                memcpy(FieldAt(g.current, field, e), &field.absent, sizeof field.absent);
        }
    }
    g.current.location = Location_OfLoaded(g.current.locationKey, g.current.location);
#ifdef VL_EXTENDED
    // A system the standard edition made has no target humidity: its
    // condensation case worked to the air's humidity, and goes on doing so.
    if (Kadmi_GetFloatAttZ(kCalcObjectSystem, Att_TargetHumidity) == AttMissing_Float)
        g.current.targetHumidity = g.current.relativeHumidity;
#endif
    CalcRecord_CodesToFlags();
    // The copy holds the codes a store writes: a system whose codes are
    // absent (0 geometry, -1 case) does not count as changed when it is
    // stored unedited.
    g.lastStored = g.current;
    FoldFlags(g.lastStored);
}

void CalcRecord_Settle()
{
    CalcRecordGlobals& g = CalcRecordState();
    g.lastStored = g.current;
    FoldFlags(g.lastStored);
}

namespace {

// The key of the location's weather record; a position that the weather
// data does not hold (the data missing) and a removed location keep the key
// they had.
void TakeLocationKey(CalcRecord& record)
{
    if (record.location == kLocationRemoved)
        return;
    char key[kCalcLocationKeySize] = {};
    Location_KeyOfPosition(record.location, key, sizeof key);
    if (key[0] || record.location < 0)
        memcpy(record.locationKey, key, sizeof key);
}

}  // namespace

void CalcRecord_Store(int32_t group)
{
    CalcRecordGlobals& g = CalcRecordState();
    CalcRecord_FlagsToCodes();
    TakeLocationKey(g.current);
    for (const CalcField& field : kFields) {
        if (field.object == FieldObject::Project && group > 0)
            continue;
        for (int e = 0; e < ObjectElements(field); ++e) {
            long object = 0;
            if (ObjectOf(field, e, &object))
                StoreElement(g.current, field, e, object);
        }
    }
    if (group <= 0)
        Settings_WriteBinary(nullptr, "General\\IUserName", kCalcTextSize, g.current.originatedBy);
    if (std::strncmp(g.current.description, g.lastStored.description, sizeof g.current.description) != 0)
        NotifyHook(g.hooks.showSystemName);
    const int32_t* parts = g.layerParts;
    if ((parts[0] || parts[1] || parts[2]) && CalcRecord_MarkChanges())
        g.lastStored = g.current;
}

int32_t CalcRecord_MarkChanges()
{
    CalcRecordGlobals& g = CalcRecordState();
    int32_t bits = ChangedBits(g.current, g.lastStored);
    static constexpr struct { int32_t bit; const char* stamp; } kStamps[] = {
        {CalcChange_Extended, Stamp_ExtendedEdited}, {CalcChange_Insulation, Stamp_InsulationEdited}, {CalcChange_Cooling, Stamp_CoolingEdited},
        {CalcChange_Freezing, Stamp_FreezingEdited}};
    for (const auto& s : kStamps)
        if (bits & s.bit)
            Kadmi_MarkAccess(kCalcObjectSystem, s.stamp);
    if (bits) {
        Kadmi_MarkAccess(kCalcObjectProject, Stamp_ProjectChanged);
        NotifyHook(g.hooks.updateTitle);
    }
    return bits;
}
