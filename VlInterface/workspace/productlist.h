// The entry of the lists that feed the calculation pages' drop-down lists
// (products, thicknesses, surface materials, locations, contents) and the
// special codes that stand for no product, a list header and the like.
#pragma once
#include <cstdint>

// The user's own insulation types and weather locations are numbered up to
// this; the weather data also has a record 0.
constexpr int kUserNumberLast = 999;
// Entries of every list: room for every user type or location the editors
// accept, beside the technical data's types and the special entries.
constexpr int kTechListEntries = 200;
constexpr int kProductListSize = kUserNumberLast + 1 + kTechListEntries;

struct ProductListEntry {
    int32_t number;     // item datum: position, or a special value
    int32_t textId;     // language text shown, 0 when the name is shown
    char name[255];
    char code[50];      // record key in the technical data, or a special code
    char recordClass[3];
};

// Special codes and numbers.
constexpr const char* kCodeNoProduct = "-789";
constexpr const char* kCodeListHeader = "-987";
constexpr const char* kCodeOwnThickness = "-456";
constexpr const char* kCodeOutermostSurface = "-200";
constexpr const char* kCodeUserSurface = "-201";
constexpr int32_t kLocationUserConditions = -100;
constexpr int32_t kLocationRemoved = -101;   // a stored location the weather data no longer holds

// True for the entry that ends a list: number and text id 0, name empty.
inline bool ProductList_IsEnd(const ProductListEntry& entry)
{
    return entry.number == 0 && entry.textId == 0 && entry.name[0] == '\0';
}
