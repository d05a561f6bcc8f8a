// Number and text edit fields: bounded formatting into the control, whole-text
// parsing with the range test and its message. The typed field descriptor
// lives in fielddesc.cpp.
#include "support/numfield.h"
#include "support/numparse.h"
#include "support/dlgutil.h"
#include "support/msgbox.h"
#include "support/strings.h"
#include <cmath>
#include <cstdio>
#include <string>
#include <type_traits>

namespace {

// Enough for any double printed with up to 40 decimals: a sentinel such as
// -1.7e308 prints 310 digits, and snprintf cuts whatever is longer.
constexpr size_t kFormatBuffer = 400;
constexpr int kNumberReadChars = 29;
constexpr const char* kFloatRange = "%0.2f ... %0.2f !";

void SetFormatted(HWND dialog, int id, const char* text, WPARAM limit)
{
    Dlg_SetItemText(dialog, id, text);
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, limit, 0);
}

// The field's text, at most 29 characters, without trailing blanks.
std::string NumberText(HWND dialog, int id)
{
    char text[kNumberReadChars + 1] = {};
    Dlg_GetItemText(dialog, id, text, sizeof text);
    Str_TrimRight(text);
    return text;
}

void RefuseRange(HWND dialog, int id, const char* range)
{
    MessageBeep(0);
    MsgBox_Info(dialog, range);
    Dlg_FocusItem(dialog, id);
}

// Reads the field as T, tests it against minimum..maximum, stores it or tells
// the user the range printed with rangeFormat.
template <typename T>
int GetChecked(HWND dialog, int id, T* value, T minimum, T maximum, short show, const char* rangeFormat)
{
    T read{};
    if (NumParse_Whole(NumberText(dialog, id), &read) && minimum <= read && read <= maximum) {
        if (value)
            *value = read;
        return 0;
    }
    if (show) {
        char range[kFormatBuffer];
        if constexpr (std::is_floating_point_v<T>)
            snprintf(range, sizeof range, rangeFormat, static_cast<double>(minimum), static_cast<double>(maximum));
        else
            snprintf(range, sizeof range, rangeFormat, static_cast<long>(minimum), static_cast<long>(maximum));
        RefuseRange(dialog, id, range);
    }
    return -1;
}

}  // namespace

short Field_DimensionDecimals(float mm)
{
    return std::fmod(std::round(double(mm) * 10.0), 10.0) == 0.0 ? 0 : 1;
}

std::string Field_FormatReal(double value, short width, short decimals)
{
    char text[kFormatBuffer];
    snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    std::string shown = text;
    // -0 and a small negative value rounded to zero show no sign.
    if (shown.find('-') != std::string::npos && shown.find('0') != std::string::npos &&
        shown.find_first_of("123456789") == std::string::npos) {
        snprintf(text, sizeof text, "%*.*f", width, decimals, std::fabs(value));
        shown = text;
    }
    return shown;
}

void Field_SetFloat(HWND dialog, int id, float value, short width, short decimals)
{
    SetFormatted(dialog, id, Field_FormatReal(value, width, decimals).c_str(), 16);
}

void Field_SetDouble(HWND dialog, int id, double value, short width, short decimals)
{
    SetFormatted(dialog, id, Field_FormatReal(value, width, decimals).c_str(), 16);
}

void Field_SetLong(HWND dialog, int id, long value, short width)
{
    char text[kFormatBuffer];
    snprintf(text, sizeof text, "%*ld", width, value);
    SetFormatted(dialog, id, text, 9);
}

void Field_SetShort(HWND dialog, int id, short value, short width)
{
    char text[kFormatBuffer];
    snprintf(text, sizeof text, "%*hd", width, value);
    SetFormatted(dialog, id, text, 4);
}

void Field_SetText(HWND dialog, int id, const char* text, short limit)
{
    const int n = limit > 0 ? limit : 0;
    std::string shown(static_cast<size_t>(n) + 1, '\0');
    Str_CopyTrimmed(shown.data(), text ? text : "", n);
    Dlg_SetItemText(dialog, id, shown.c_str());
    Edit_LimitBytes(GetDlgItem(dialog, id), n);
}

void Field_RefuseFloatRange(HWND dialog, int id, float minimum, float maximum)
{
    char range[kFormatBuffer];
    snprintf(range, sizeof range, kFloatRange, static_cast<double>(minimum), static_cast<double>(maximum));
    RefuseRange(dialog, id, range);
}

int Field_GetFloat(HWND dialog, int id, float* value, float minimum, float maximum, short show)
{
    return GetChecked(dialog, id, value, minimum, maximum, show, kFloatRange);
}

int Field_GetDouble(HWND dialog, int id, double* value, double minimum, double maximum, short show)
{
    return GetChecked(dialog, id, value, minimum, maximum, show, "%0.2lf ... %0.2lf !");
}

int Field_GetLong(HWND dialog, int id, long* value, long minimum, long maximum, short show)
{
    return GetChecked(dialog, id, value, minimum, maximum, show, "%ld ... %ld !");
}

int Field_GetShort(HWND dialog, int id, short* value, short minimum, short maximum, short show)
{
    return GetChecked(dialog, id, value, minimum, maximum, show, "%ld ... %ld !");
}

void Field_GetText(HWND dialog, int id, char* buffer, int size)
{
    if (!buffer || size < 1)
        return;
    Str_CopyTrimmed(buffer, Dlg_GetItemText(dialog, id).c_str(), size - 1);

}
