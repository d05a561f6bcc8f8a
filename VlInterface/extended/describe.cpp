// The one-line description of the loaded system's insulated object: its
// kind and, for pipes and ducts, the dimensions that identify it, in the
// current language. Reads the project database only.
#include "VlInterface/extended/extended.h"
#include "VlInterface/calcrecord.h"
#include "VlInterface/shell.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/numfield.h"
#include <cstdio>

namespace {

constexpr uint16_t kTextPlane = 30026, kTextPipe = 30027, kTextRectDuct = 30028, kTextWidth = 30029,
                   kTextOuterDiameter = 30030, kTextHeight = 30031, kTextMm = 30032, kTextRoundDuct = 40015;

struct DescriptionGlobals {
    char text[1024];
};
DescriptionGlobals& Description()
{
    static DescriptionGlobals globals;
    return globals;
}

// Kind text, a comma, then one labelled dimension in mm, shown as it is
// (114.3, not 114).
void DescribeRound(char* text, size_t size, uint16_t kindText, float diameter)
{
    std::snprintf(text, size, "%s, %s %.*f %s", Shell_Text(kindText), Shell_Text(kTextOuterDiameter),
                  Field_DimensionDecimals(diameter), static_cast<double>(diameter), Shell_Text(kTextMm));
}

// Kind text, then the labelled width and height in mm.
void DescribeRect(char* text, size_t size, float width, float height)
{
    std::snprintf(text, size, "%s, %s %.*f %s, %s %.*f %s", Shell_Text(kTextRectDuct), Shell_Text(kTextWidth),
                  Field_DimensionDecimals(width), static_cast<double>(width), Shell_Text(kTextMm),
                  Shell_Text(kTextHeight), Field_DimensionDecimals(height), static_cast<double>(height),
                  Shell_Text(kTextMm));
}

}  // namespace

const char* InsulationObject_Describe()
{
    char* text = Description().text;
    const size_t size = sizeof(Description().text);
    text[0] = '\0';
    float diameters[2] = {};
    Kadmi_GetAtt(kCalcObjectSystem, Att_OuterDiameters, nullptr, diameters, sizeof(diameters));
    switch (Kadmi_GetIntAtt(kCalcObjectSystem, Att_ObjectKind)) {
    case Kind_Plane:
        std::snprintf(text, size, "%s", Shell_Text(kTextPlane));
        break;
    case Kind_Pipe:
        DescribeRound(text, size, kTextPipe, diameters[0]);
        break;
    case Kind_RoundDuct:
        DescribeRound(text, size, kTextRoundDuct, diameters[1]);
        break;
    case Kind_RectDuct:
        DescribeRect(text, size, Kadmi_GetFloatAtt(kCalcObjectSystem, Att_DuctWidth),
                     Kadmi_GetFloatAtt(kCalcObjectSystem, Att_DuctHeight));
        break;
    default:
        break;
    }
    return text;
}
