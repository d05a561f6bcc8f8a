// The report choices that the print library reads: "Output\PrintOptionFlags",
// a block of 100 signed 32-bit integers in the settings store, of which the
// output and the four report sections have a meaning.
#pragma once
#include <cstdint>

constexpr int kPrintOptionCount = 100;
enum PrintOptionIndex : int {
    PrintOption_Output = 10,     // 0 document viewer, 1 clipboard
    PrintOption_HeatLoss = 21,   // the sections: 1 print, 0 leave out
    PrintOption_Cooling = 22,
    PrintOption_Freezing = 23,
    PrintOption_Costs = 24,
};

struct PrintOptionFlags {
    int32_t value[kPrintOptionCount];
};
static_assert(sizeof(PrintOptionFlags) == 400);

// Reads the block into flags (zeroed first). False when it is not stored or
// is larger than the block.
bool PrintOptions_Read(PrintOptionFlags* flags);

// Writes the whole block; 1 when written.
int PrintOptions_Write(const PrintOptionFlags& flags);
