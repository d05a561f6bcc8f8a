// Every text of every page and dialog is shown whole in every interface
// language: each is opened as the program opens it, with its texts put in
// and its result lines filled by a calculation, and each label, result line,
// check box, radio button, group box and push button is measured in its own
// font against its control; every item of a drop-down list shows whole in
// the closed list and in the open one, and list headings fit their columns.
#include "VlInterface/calcrecord.h"
#include "VlInterface/resource.h"
#include "VlInterface/shell.h"
#include "VlInterface/tests/window_fixture.h"
#include "VlInterface/workspace/annual_costs.h"
#include "VlInterface/workspace/calctabs.h"
#include "VlInterface/workspace/page_insulation_ids.h"
#include "VlInterface/workspace/page_pipecooling_ids.h"
#include "VlInterface/workspace/page_target_ids.h"
#include "VlInterface/workspace/timepage_ids.h"
#include "VlInterface/dialogs/printsheet_ids.h"
#include "outside/Lexmo100/lexmo.h"
#include "testsupport/testsupport.h"
#include "support/dlgutil.h"
#include <commctrl.h>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), int(out.size()), nullptr, nullptr);
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

std::wstring WindowTextW(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), int(text.size())));
    return text;
}

// "what "text" needs W x H in w x h" (heights left out when 0).
std::string Needs(const char* what, const std::wstring& text, int needW, int needH, int hasW, int hasH)
{
    char sizes[96];
    if (needH || hasH)
        std::snprintf(sizes, sizeof(sizes), " needs %d x %d in %d x %d", needW, needH, hasW, hasH);
    else
        std::snprintf(sizes, sizeof(sizes), " needs %d in %d", needW, hasW);
    std::string fault(what);
    if (!text.empty())
        fault.append(1, '"').append(Utf8(text)).append(1, '"');
    return fault.append(sizes);
}

std::string ClassOf(HWND window)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The room a control keeps for its text, and how the control draws it; no
// format when the control shows no text of its own (pictures, frames).
struct TextRoom {
    RECT rect;
    UINT format;
};

bool StaticRoom(LONG style, TextRoom* room)
{
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        room->format = (style & SS_CENTERIMAGE) ? DT_SINGLELINE : DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        room->format = DT_SINGLELINE;
        break;
    default:
        return false;
    }
    room->format |= DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    return true;
}

bool ButtonRoom(HDC dc, LONG style, TextRoom* room)
{
    UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        InflateRect(&room->rect, -2 * GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        if (style & BS_PUSHLIKE) {
            InflateRect(&room->rect, -2 * GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
            break;
        }
        // The box, then half a digit's width before the text.
        int digit = 0;
        GetCharWidth32W(dc, L'0', L'0', &digit);
        room->rect.left += GetSystemMetrics(SM_CXMENUCHECK) + digit / 2;
        break;
    }
    case BS_GROUPBOX:
        InflateRect(&room->rect, -7, 0);
        lines = DT_SINGLELINE;
        break;
    default:
        return false;
    }
    room->format = lines;
    return true;
}

// The text of control when it does not fit its room, as "needs W x H in w x h"; else "".
std::string Misfit(HWND control)
{
    std::string kind = ClassOf(control);
    std::wstring text = WindowTextW(control);
    if (text.empty() || (kind != "Static" && kind != "Button"))
        return {};
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    LONG style = GetWindowLongW(control, GWL_STYLE);
    TextRoom room{};
    GetClientRect(control, &room.rect);
    bool shows = kind == "Static" ? StaticRoom(style, &room) : ButtonRoom(dc, style, &room);
    RECT needed{0, 0, room.rect.right - room.rect.left, 0};
    if (shows)
        DrawTextW(dc, text.c_str(), int(text.size()), &needed, room.format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    int width = room.rect.right - room.rect.left, height = room.rect.bottom - room.rect.top;
    if (!shows || (needed.right <= width && needed.bottom <= height))
        return {};
    return Needs("", text, needed.right, needed.bottom, width, height);
}

// A drop-down list narrower than its longest item, open or closed (the
// closed list shows the chosen item in its face).
std::string NarrowList(HWND combo)
{
    if (ClassOf(combo) != "ComboBox")
        return {};
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    int widest = 0;
    std::wstring longest;
    int count = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        item.resize(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data())));
        SIZE size{};
        GetTextExtentPoint32W(dc, item.c_str(), int(item.size()), &size);
        if (size.cx > widest) {
            widest = size.cx;
            longest = item;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    int dropped = int(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0));
    int room = dropped - GetSystemMetrics(SM_CXVSCROLL) - 2 * GetSystemMetrics(SM_CXEDGE);
    int face = info.rcItem.right - info.rcItem.left - 2;
    if (widest <= std::min(room, face))
        return {};
    return Needs(widest > face ? "closed list item " : "list item ", longest, widest, 0, std::min(room, face), 0);
}

// A list view whose column headings do not fit their columns (an owner-drawn
// heading may break into lines within the header's height), or whose columns
// together are wider than the list.
std::string CutColumns(HWND list)
{
    if (ClassOf(list) != WC_LISTVIEWA)
        return {};
    HWND header = ListView_GetHeader(list);
    HDC dc = GetDC(header);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    RECT headerBox{}, listBox{};
    GetClientRect(header, &headerBox);
    GetClientRect(list, &listBox);
    const int margin = 6 * GetSystemMetrics(SM_CXEDGE), height = headerBox.bottom - 2 * GetSystemMetrics(SM_CYEDGE);
    std::string cut;
    int columns = Header_GetItemCount(header), total = 0;
    for (int i = 0; i < columns; ++i) {
        wchar_t heading[128] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = heading;
        item.cchTextMax = 127;
        SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        total += item.cxy;
        RECT needed{0, 0, item.cxy - margin, 0};
        UINT lines = (item.fmt & HDF_OWNERDRAW) ? DT_WORDBREAK : DT_SINGLELINE;
        DrawTextW(dc, heading, -1, &needed, lines | DT_NOPREFIX | DT_CALCRECT);
        if (needed.right + margin > item.cxy || ((item.fmt & HDF_OWNERDRAW) && needed.bottom > height))
            cut += Needs("heading ", heading, needed.right + margin, needed.bottom, item.cxy, height) + "; ";
    }
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    if (total > listBox.right)
        cut += Needs("columns", L"", total, 0, listBox.right, 0);
    // Each cell whole: its text and the margins the list draws around it
    // (under Wine 6 pixels: a 144-pixel text shows whole in 150).
    constexpr int kCellMargins = 6;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        for (int i = 0; i < columns; ++i) {
            wchar_t text[256] = {};
            LVITEMW cell{};
            cell.iSubItem = i;
            cell.pszText = text;
            cell.cchTextMax = 255;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
            const int needed = int(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
            if (text[0] && needed + kCellMargins > ListView_GetColumnWidth(list, i))
                cut += Needs("cell ", text, needed + kCellMargins, 0, ListView_GetColumnWidth(list, i), 0) + "; ";
        }
    }
    return cut;
}

// A result line of a page that was shortened ("…") or left empty.
std::string CutResult(HWND control, bool filled)
{
    int id = GetDlgCtrlID(control);
    if (ClassOf(control) != "Static" || id < IDC_INS_RESULT1 || id > IDC_INS_RESULT1 + 3)
        return {};
    std::wstring text = WindowTextW(control);
    if (text.find(L'\u2026') != std::wstring::npos)
        return "result line shortened: \"" + Utf8(text) + "\"";
    if (filled && text.find_first_not_of(L' ') == std::wstring::npos)
        return "result line empty";
    return {};
}

// A control that reaches past its dialog's client area.
std::string Outside(HWND control)
{
    HWND parent = GetParent(control);
    RECT area{}, box{};
    GetClientRect(parent, &area);
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    if (box.left >= area.left && box.top >= area.top && box.right <= area.right && box.bottom <= area.bottom)
        return {};
    return Needs("outside its window:", L"", box.right, box.bottom, area.right, area.bottom);
}

class TextFitTest : public ShellWindowTest {
public:
    // A pipe with its layer 1 product chosen and the water flowing through
    // it (CalculatePipe then fills the result lines and the thickness table).
    void StartOnPipe()
    {
        std::string path = TempPath("fit.WDF");
        MakePipeProjectFile(path, Kind_Pipe);
        Start(path.c_str());
        HWND page = ShowTab(2);
        TsBoxAnswerer unexpected(IDCANCEL);
        ChooseFirst(page, IDC_INS_PRODUCT1, "pipe");
        ChooseFirst(page, IDC_INS_NOMINAL1, "0");
        // Water flowing through 100 m of it: the cooling page's two lines.
        HWND cooling = ShowTab(3);
        ChooseFirst(cooling, IDC_PC_CONTENTS, "water");
        Dlg_SetItemText(cooling, IDC_PC_LENGTH, "100");
        Dlg_SetItemText(cooling, IDC_PC_MASS_FLOW, "0.5");
        CheckRadioButton(cooling, IDC_PC_BY_MASS, IDC_PC_BY_VELOCITY, IDC_PC_BY_MASS);
        CheckRadioButton(cooling, IDC_PC_FLOWING, IDC_PC_STATIONARY, IDC_PC_FLOWING);
        EXPECT_TRUE(unexpected.boxes().empty()) << unexpected.boxes()[0].text;
    }

    // Calculates the insulation and the cooling of the pipe.
    void CalculatePipe()
    {
        TsBoxAnswerer unexpected(IDCANCEL);
        ClickButton(ShowTab(2), IDC_INS_CALCULATE);
        ClickButton(ShowTab(3), IDC_TP_CALCULATE);
        EXPECT_TRUE(unexpected.boxes().empty()) << where_ << ": " << unexpected.boxes()[0].text;
    }

    // Chooses the first item whose text holds part (names differ by edition).
    static void ChooseFirst(HWND page, int id, const char* part)
    {
        HWND combo = GetDlgItem(page, id);
        int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string item(size_t(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            std::transform(item.begin(), item.end(), item.begin(), [](char c) { return char(std::tolower(c)); });
            if (item.find(part) != std::string::npos) {
                SendMessageA(combo, CB_SETCURSEL, i, 0);
                SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
                return;
            }
        }
        ADD_FAILURE() << "no item with " << part << " in list " << id;
    }

    HWND Main() const { return window(); }

    HWND ShowTab(int index)
    {
        MainWnd_SelectCalcPage(index);
        return CalcTabs_OpenPageWindow();
    }

    // Measures every control under dialog (pages of a sheet included); the
    // first filled result lines of a page must show their text.
    void Measure(HWND dialog, int filled = 0)
    {
        filled_ = filled;
        ASSERT_NE(dialog, nullptr) << where_;
        ++measured_;
        if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) {   // a page: inside its window
            std::string fault = Outside(dialog);
            if (!fault.empty())
                faults_.push_back(where_ + ": the page " + fault);
        }
        EnumChildWindows(
            dialog,
            [](HWND control, LPARAM self) {
                auto* test = reinterpret_cast<TextFitTest*>(self);
                bool filled = GetDlgCtrlID(control) < IDC_INS_RESULT1 + test->filled_;
                for (const std::string& fault : {Misfit(control), NarrowList(control), CutColumns(control),
                                                 CutResult(control, filled), Outside(control)})
                    if (!fault.empty())
                        test->faults_.push_back(test->where_ + ", control " + std::to_string(GetDlgCtrlID(control)) +
                                                ": " + fault);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
    }

    // Opens a modal dialog by open, hands it to visit and cancels it; any
    // other box that comes is counted and cancelled.
    void Modal(const std::function<void()>& open, const std::function<void(HWND)>& visit)
    {
        TsBoxAnswerer answerer(IDCANCEL, nullptr, visit);
        open();
        EXPECT_EQ(answerer.boxes().size(), 1u) << where_;
    }

    void Command(UINT id)
    {
        Modal([&] { SendMessageA(window(), WM_COMMAND, id, 0); }, [&](HWND dialog) { Measure(dialog); });
    }

    std::string where_;
    int filled_ = 0;
    std::vector<std::string> faults_;
    int measured_ = 0;
};

TEST_F(TextFitTest, EveryTextFitsItsControlInEveryLanguage)
{
    struct Dialog {
        const char* name;
        std::function<void(TextFitTest&)> show;
    };
    const Dialog kDialogs[] = {
        {"project information page", [](TextFitTest& t) { t.Measure(t.ShowTab(0)); }},
        {"insulation target page", [](TextFitTest& t) { t.Measure(t.ShowTab(1)); }},
        // Results again on showing; the freezing and tank pages say why they have none.
        {"insulation page", [](TextFitTest& t) { t.Measure(t.ShowTab(2), 4); }},
        {"pipe cooling page", [](TextFitTest& t) { t.Measure(t.ShowTab(3), 2); }},
        {"freezing page", [](TextFitTest& t) { t.Measure(t.ShowTab(4), 1); }},
        {"tank page",
         [](TextFitTest& t) {
             ClickButton(t.ShowTab(1), IDC_TG_PLANE);
             t.Measure(t.ShowTab(3), 1);
             ClickButton(t.ShowTab(1), IDC_TG_PIPE);
         }},
        {"thickness selection dialog",
         [](TextFitTest& t) {
             HWND page = t.ShowTab(2);
             t.Modal([&] { ClickButton(page, IDC_INS_THICKNESS_TABLE); },
                     [&](HWND dialog) { t.Measure(dialog); });
         }},
        {"annual costs dialog",
         [](TextFitTest& t) {
             t.Modal([&] { AnnualCosts_Show(t.Main()); }, [&](HWND dialog) { t.Measure(dialog); });
         }},
        {"about box", [](TextFitTest& t) { t.Command(IDM_HELP_ABOUT); }},
        {"settings dialog", [](TextFitTest& t) { t.Command(IDM_SETTINGS); }},
        {"user insulation data editor", [](TextFitTest& t) { t.Command(IDM_USER_INSULATION); }},
        {"weather data dialog", [](TextFitTest& t) { t.Command(IDM_WEATHER_DATA); }},
        {"print dialog",
         [](TextFitTest& t) {
             t.Modal([&] { SendMessageA(t.Main(), WM_COMMAND, IDM_FILE_PRINT, 0); },
                     [&](HWND sheet) {
                         HWND tabs = GetDlgItem(sheet, IDC_SHEET_TABS);
                         for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
                             TabCtrl_SetCurFocus(tabs, i);
                             t.Measure(sheet);
                         }
                     });
         }},
    };
    const struct {
        const char* name;
        int16_t id;
    } kLanguages[] = {{"English", kLangEnglish}, {"Finnish", kLangFinnish}, {"Swedish", kLangSwedish},
                      {"Polish", kLangPolish},   {"Russian", kLangRussian}};
    TsTimeLimit limit(240);
    StartOnPipe();
    for (const auto& language : kLanguages) {
        ASSERT_EQ(TextAPI_SetLanguage(Shell().textHandle, language.id), 0);
        where_ = language.name;
        CalculatePipe();   // the dialogs of the last language made the results stale
        for (const Dialog& dialog : kDialogs) {
            where_ = std::string(language.name) + ", " + dialog.name;
            dialog.show(*this);
        }
    }
    EXPECT_EQ(measured_, 5 * 15);
    std::string all;
    for (const std::string& fault : faults_)
        all += fault + "\n";
    EXPECT_TRUE(faults_.empty()) << faults_.size() << " texts do not fit:\n" << all;
}

} // namespace
