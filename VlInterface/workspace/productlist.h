// The entry of the lists that feed the calculation pages' drop-down lists
// (products, thicknesses, surface materials, locations, contents) and the
// special codes that stand for no product, a list header and the like.
#pragma once
#include <cstdint>

constexpr int kProductListSize = 200;   // entries of every list

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

// True for the entry that ends a list: number and text id 0, name empty.
inline bool ProductList_IsEnd(const ProductListEntry& entry)
{
    return entry.number == 0 && entry.textId == 0 && entry.name[0] == '\0';
}
