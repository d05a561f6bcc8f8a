// What the cooling, tank and freezing tests share: a new project with one
// system of three layer parts, the texts, the error list, and a system that
// the three calculations can run on. Stamps are written with chosen times.
#pragma once
#include "VlInterface/tests/shell_fixture.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "VlTechDatabase/vltechdb.h"
#include "VlUtil/vlutil.h"
#include "support/lookups.h"
#include "testsupport/temp_project.h"
#include <cstring>
#include <vector>

struct Stamp {
    const char* mark;
    long time;   // hhmmss of one day
};

class TimeCalcFixture : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        VlUtil_InitDLL(nullptr, GetModuleHandleA(nullptr), "VlIntfcTests", "Varmelin", "1");
        ErrorList_Reset();
        Lookup_SetHandles(VlDataTechDb_Handle(), VlOtherInsulationDataTechDb_Handle(), Shell().textHandle);
        ASSERT_TRUE(project_.loaded());
        for (int k = 0; k < kCalcLayers; ++k)
            parts_[k] = project_.AddPart(nullptr, nullptr, nullptr);
        CalcRecord_SetLayerParts(parts_[0], parts_[1], parts_[2]);
        for (int k = 0; k < kCalcLayers; ++k)
            Shell().layerParts[k] = parts_[k];
        CalcRec() = CalcRecord{};
    }
    void TearDown() override
    {
        ErrorList_Clear();
        CalcRecord_SetLayerParts(0, 0, 0);
        ShellTest::TearDown();
    }

    // An object of the geometry: pipe 100 mm, round duct 200 mm, rectangular
    // duct 400 x 200 mm; contents at 80 °C in air at -10 °C.
    static CalcRecord Object(int geometry)
    {
        static constexpr int16_t kCodes[] = {Kind_Plane, Kind_Pipe, Kind_RoundDuct, Kind_RectDuct};
        CalcRecord record{};
        record.geometryFlags[geometry] = 1;
        record.geometry = kCodes[geometry];
        record.outerDiameters[0] = 100.0f;
        record.outerDiameters[1] = 200.0f;
        record.width = 400.0f;
        record.height = 200.0f;
        record.contentsTemperature = 80.0f;
        record.ambientTemperature = -10.0f;
        return record;
    }

    // The current record and the insulation results of a calculable system:
    // water flowing by mass, one 50 mm layer, a steel pipe, a 2 x 2 x 3 m
    // cylinder; stored, with no stamps left.
    void PrepareCalculable(int geometry)
    {
        CalcRecord& record = CalcRec();
        record = Object(geometry);
        record.location = -100;
        record.contents = 1;
        record.contentsHeatCapacity = 4186.0f;
        record.contentsDensity = 980.0f;
        record.flowFlags[0] = 1;
        record.flowValues[0] = 0.5f;
        record.coolingCaseFlags[0] = 1;
        record.pipeLength = 100.0f;
        record.pipeHeatCapacity = 500.0f;
        record.pipeDensity = 7800.0f;
        record.finalTemperature = 40.0f;
        record.shapeFlags[0] = 1;
        const float vessel[3] = {2.0f, 2.0f, 3.0f};
        memcpy(record.vesselDimensions, vessel, sizeof vessel);
        record.emissivity = 0.9f;
        record.airVelocity = 1.0f;
        record.conductivity[0] = 0.04f;
        record.thickness[0] = 50.0f;
        const float freezingContents[3] = {4186.0f, 980.0f, -1.0f};
        memcpy(record.freezingContents, freezingContents, sizeof freezingContents);
        record.freezingPipe[0] = 540.0f;
        record.freezingPipe[1] = 7800.0f;
        CalcRecord_Store(-1);
        Kadmi_SetFloatAtt(kCalcObjectSystem, 1323, 30.0f);
        Kadmi_SetFloatAtt(kCalcObjectSystem, 1381, 20.0f);
        Kadmi_SetFloatAtt(parts_[0], 1376, 0.04f);
        Kadmi_SetFloatAtt(parts_[0], 1379, 50.0f);
        Kadmi_SetFloatAtt(parts_[2], 1328, -8.0f);
        SetStamps({});
    }

    // Replaces every stamp of the system.
    static void SetStamps(const std::vector<Stamp>& stamps)
    {
        std::vector<AccessEntry> entries;
        for (const Stamp& stamp : stamps) {
            AccessEntry entry{};
            memcpy(entry.mark, stamp.mark, 4);
            entry.date = 20260101;
            entry.time = stamp.time;
            entries.push_back(entry);
        }
        Kadmi_DeleteAtt(kCalcObjectSystem, 7701);
        if (!entries.empty())
            Kadmi_SetAtt(kCalcObjectSystem, 7701, static_cast<short>(entries.size()), entries.data());
    }

    static bool HasStamp(const char* mark)
    {
        return Kadmi_CmpAccess(kCalcObjectSystem, mark, kCalcObjectSystem, "NONE") > 0;
    }

    TempProject project_;
    long parts_[kCalcLayers] = {};
};
