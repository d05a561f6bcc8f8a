// In-memory stand-ins for the error list, the technical databases and the
// current project page, so that the engine can be tested on its own.
#pragma once
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>
#include "VlCalculate/calc_internal.h"

struct FakeError {
    int severity;
    int32_t textId;
};

struct FakeWorld {
    std::vector<FakeError> errors;
    TechHandles handles{1, 100, 200, 11, 12, 13};
    // Technical records: (handle, class, key without trailing blanks, attribute).
    using TechKey = std::tuple<int16_t, std::string, std::string, int16_t>;
    std::map<TechKey, std::vector<float>> techFloats;
    std::map<TechKey, std::vector<std::string>> techEntries;
    int techReads = 0;
    int otherInsulationOpen = 0;    // opens not yet closed
    // The current page: parts and attributes by (object, attribute).
    using PageKey = std::pair<int32_t, int16_t>;
    std::vector<int32_t> parts;
    std::map<PageKey, std::vector<float>> pageFloats;
    std::map<PageKey, int16_t> pageShorts;
    std::map<PageKey, std::string> pageStrings;

    std::vector<int32_t> errorIds() const;
    // First value of a float page attribute, NaN when absent.
    float pageFloat(int32_t object, int16_t att) const;
    void setPageFloat(int32_t object, int16_t att, std::vector<float> values) { pageFloats[{object, att}] = std::move(values); }
    void setTechFloat(int16_t db, const std::string& cls, const std::string& key, int16_t att, std::vector<float> values)
    {
        techFloats[{db, cls, key, att}] = std::move(values);
    }
};

// The fakes' one world; reset together with the engine state by FakeReset.
FakeWorld& Fake();
void FakeReset();

// Fixture of every engine test: a fresh fake world and engine state.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { FakeReset(); }
};
