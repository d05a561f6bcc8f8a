// The point table of a user insulation type, apart from the editor for the
// tests: element 0 is a placeholder, the points follow in ascending order of
// temperature, at most kMaxInsulationPoints elements in all.
#pragma once
#include <cstdint>

constexpr int kMaxInsulationPoints = 50;

// The index (1 or more) of a point other than except with exactly this
// temperature, 0 when there is none.
int InsulationPoints_FindTemperature(const float* temperatures, int count, float temperature, int except);

// Stores a point at index (replacing it), or adds it when index is not a
// point; then sorts the points by temperature. -1, and nothing stored, when
// a point is to be added to a full table; else 0.
int InsulationPoints_Store(float* temperatures, float* conductances, int32_t* count, int index, float temperature,
                           float conductance);

// True when the conductance is above zero across the type's temperatures:
// at every point, between which it is interpolated.
bool InsulationPoints_PositiveAcross(const float* conductances, int count);

// Removes the point at index (1 or more): the later points move down.
void InsulationPoints_Remove(float* temperatures, float* conductances, int32_t* count, int index);
