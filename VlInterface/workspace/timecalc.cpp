// What the cooling, tank and freezing calculations share: the staleness test
// of the insulation results, the report sections of a page's print and the
// formatting of result lines. The pages show and print; nothing here does.
#include "VlInterface/workspace/timecalc.h"
#include "support/attributes.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "VlUtil/vlutil.h"
#include "Kadmi/kadmi.h"
#include "resultstamps/resultstamps.h"
#include <cstdio>

namespace {

constexpr long kStaleInsulationText = 40046;
constexpr int kSeverityStale = -1;

bool HasStamp(const char* mark)
{
    return Kadmi_CmpAccess(kCalcObjectSystem, mark, kCalcObjectSystem, "NONE") > 0;
}

} // namespace

bool TimeCalc_InsulationEverCalculated()
{
    return HasStamp(Stamp_HeatLoss);
}

bool TimeCalc_InsulationCurrent()
{
    ErrorList_Clear();
    if (!Stamps_HeatLossStale(Stamps_OfLoadedSystem()))
        return true;
    ErrorList_Insert(kCalcObjectSystem, kSeverityStale, kStaleInsulationText, nullptr, 0, nullptr);
    return false;
}

void TimeCalc_PrintChoices(int32_t options[kPrintOptionInts], bool copy)
{
    for (int i = 0; i < kPrintOptionInts; ++i)
        options[i] = 0;
    options[PrintOption_BaseData] = 1;
    const SystemResultFacts facts = Results_OfLoadedSystem();
    options[PrintOption_Cooling] = Results_Current(facts, ResultSection::Cooling);
    options[PrintOption_Freezing] = Results_Current(facts, ResultSection::Freezing);
    options[PrintOption_Economy] = Results_Current(facts, ResultSection::Costs);
    options[PrintOption_Clipboard] = copy;
}

std::string TimeCalc_ResultLine(uint16_t label, double value, int decimals, uint16_t unit)
{
    char line[300] = {};
    snprintf(line, sizeof line, "%s: %.*f %s", Shell_Text(label), decimals, value, Shell_Text(unit));
    return line;
}

std::string TimeCalc_TextLine(uint16_t label, uint16_t text)
{
    std::string line = Shell_Text(label);
    line += ": ";
    line += Shell_Text(text);
    return line;
}

std::string TimeCalc_FirstErrorLine()
{
    return ErrorList_NError() > 0 ? ErrorList_IthErrorStr(0) : "";
}
