// What the cooling, tank and freezing calculations share, without a window:
// the test that the insulation results they read are current, the report
// sections a print from one of their pages asks for, and the result lines.
#pragma once
#include <cstdint>
#include <string>

// The system's insulation results were written at least once ("DIM1").
bool TimeCalc_InsulationEverCalculated();

// Clears the error list; false, with error 40046 (severity -1) in the list,
// while the insulation inputs ("EDT1") are newer than its results ("DIM1").
bool TimeCalc_InsulationCurrent();

// Print option ints of "Output\PrintOptionFlags" that a page's print sets.
constexpr int kPrintOptionInts = 100;
enum PrintOptionIndex : int {
    PrintOption_Clipboard = 10,
    PrintOption_BaseData = 21,
    PrintOption_Cooling = 22,
    PrintOption_Freezing = 23,
    PrintOption_Economy = 24,
};

// The option block of a print (copy: to the clipboard) of the loaded system:
// the base data always; cooling, freezing and the annual costs when their
// results are current (Results_Current), the others left out.
void TimeCalc_PrintChoices(int32_t options[kPrintOptionInts], bool copy);

// "label: value unit" with the given decimals, in the page's language.
std::string TimeCalc_ResultLine(uint16_t label, double value, int decimals, uint16_t unit);
// "label: text", where a result is said in words.
std::string TimeCalc_TextLine(uint16_t label, uint16_t text);

// The line shown in place of results after a quiet calculation failed: the
// first error's text ("" without errors).
std::string TimeCalc_FirstErrorLine();
