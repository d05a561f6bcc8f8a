// What the engine needs from the other modules: the error list, the technical
// databases and the current page of the project database. Each group is wired
// in its own file (wire_*.cpp) so that tests can link fakes instead.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Error list: one entry for the current calculation (object 0), no text of its
// own; severity -2 error, -1 failed lookup, +1 warning.
void Deps_ReportError(int severity, int32_t textId);

// Handles of the technical databases as the technical database library hands
// them out; negative when a database is missing.
struct TechHandles {
    int16_t techData = -1;
    int16_t otherInsulation = -1;
    int16_t weather = -1;
    int16_t priceEur = -1;
    int16_t priceSek = -1;
    int16_t pricePln = -1;
};
TechHandles Deps_TechHandles();

// Opens the other-insulation database for reading around a group of reads:
// the handle to read with, or -1 (then nothing is to be closed).
int16_t Deps_OpenOtherInsulation();
void Deps_CloseOtherInsulation();

// Technical database reads by record class and key. A float array is read
// into values (zero-filled, at most maxCount stored); the result is the
// attribute's element count, or -1 when it is absent.
int Deps_TechFloats(int16_t db, const char* recordClass, const char* key, int16_t att,
                    float* values, int maxCount);
float Deps_TechFloat(int16_t db, const char* recordClass, const char* key, int16_t att);
// The thickness entries of a product type (attribute 1600): the entry keys in
// stored order; empty when absent.
std::vector<std::string> Deps_TechEntryKeys(int16_t db, const char* recordClass, const char* key,
                                            int16_t att);

// Project database, current page: object -1 the project block, 0 the page,
// 1 and up its parts. Getters give 0, no values or "" when absent.
int32_t Deps_IthPart(int16_t index);
int16_t Deps_PageShort(int32_t object, int16_t att);
float Deps_PageFloat(int32_t object, int16_t att);
// Up to maxCount floats into values (zero-filled first); the number stored.
int Deps_PageFloats(int32_t object, int16_t att, float* values, int maxCount);
std::string Deps_PageString(int32_t object, int16_t att, int maxBytes);
void Deps_PageSetFloat(int32_t object, int16_t att, float value);
void Deps_PageDelete(int32_t object, int16_t att);
