// The report fonts page's height conversion: stored heights are tenths of a
// millimetre, the font dialog works in its own units, 2.7 times coarser.
#pragma once
#include <cstdint>

// The font dialog's height of a stored one: the ceiling of stored / 2.7.
int32_t FontsPage_DialogHeight(int32_t stored);
// The stored height of a font dialog's one: the floor of dialog * 2.7.
int32_t FontsPage_StoredHeight(int32_t dialog);
// A stored height kept to what a report can print (negative, 22 to 87
// tenths of a millimetre); 0, no size, stays 0.
int32_t FontsPage_BoundedHeight(long stored);
