// Run on an X display: DISPLAY=:N build/wine-run.sh build/bench/window_bench.exe [--sizes 2,200,998]
//   [--runs 3] [--bin DIR] [--extended-bin DIR]; or --write 'Z:\path\project.wdf' [systems] to only
//   write a project (998 systems unless told) that ./run.sh can open.
// Times the actions of the program's window on projects of 2, 200 and 998
// systems: starts the real program on each and drives it by its command and
// control ids, then prints the median of the runs of each action side by side.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "bench/benchclock.h"
#include "bench/window_driver.h"
#include "bench/window_projects.h"

namespace {

// Command and control ids of the program that the actions use.
constexpr UINT kCmdSave = 503, kCmdPrint = 506, kCmdFirstRecentFile = 540;
constexpr UINT kCmdNewSystem = 548, kCmdDeleteSystem = 549;
constexpr int kSelectorId = 190, kSelectorListId = 1000;
constexpr int kProjectTab = 0, kObjectTab = 1, kHeatLossTab = 2;
constexpr int kProjectPageLabel = 606, kObjectContentsTemp = 111, kProjectName = 101;
constexpr int kThicknessTableButton = 201, kCalculateButton = 203, kCheapestButton = 206;
constexpr int kThicknessList = 109;
constexpr int kObjectDescription = 101;
constexpr int kSheetTabs = 990, kSheetPrint = 201;
constexpr int kMarkAllSystems = 207, kPreviewChoice = 107, kClipboardChoice = 108;
constexpr int kSectionHeatLoss = 1105, kOtherSections[] = {1065, 1066, 1067};

// An action whose first run takes longer is not repeated.
constexpr double kSlowSeconds = 20;

enum Row {
    RowTabProjectObject,
    RowTabObjectHeatLoss,
    RowTabHeatLossObject,
    RowCalculate,
    RowSave,
    RowSwitchSystem,
    RowDeleteSystem,
    RowNewSystem,
    RowRenameSystem,
    RowThicknessTable,
    RowPrintDialog,
    RowCheapest,
    RowOpen,
    RowCloseQuestion,
    RowCloseEnd,
    RowPreviewFirstPage,
    RowPreviewWhole,
    kRows
};

const char* const kRowNames[kRows] = {
    "tab Project -> Object",
    "tab Object -> Heat loss",
    "tab Heat loss -> Object",
    "Calculate, three layers",
    "Save",
    "switch to another system (selector)",
    "Delete system, the first (after \"Yes\")",
    "New system (after \"Yes\")",
    "rename it: tab Object -> Project",
    "thickness table opens",
    "print dialog opens",
    "Cheapest combination (extended)",
    "Open (recent-file command)",
    "Close: until the save question shows",
    "Close: after \"No\" until the program ended",
    "print preview of all: page 1 shows",
    "print preview of all: whole report made",
};

using Samples = std::array<std::vector<Sample>, kRows>;

struct Options {
    std::string bin, extendedBin;
    std::vector<int> sizes = {2, 200, 998};
    int runs = 3;
    std::string writeFile;
    int writeSystems = 998;
};

struct Bench {
    Options options;
    std::string exe, extendedExe, seed;
    std::map<int, Samples> results;
};

void Report(int size, Row row, const Sample& s)
{
    std::printf("[%d] %-42s %9.1f ms%s%s\n", size, kRowNames[row], s.seconds * 1e3,
                s.ok ? (s.note.empty() ? "" : "  ") : "  ! ", s.note.c_str());
    std::fflush(stdout);
}

void Add(Bench& b, int size, Row row, Sample s)
{
    Report(size, row, s);
    b.results[size][row].push_back(std::move(s));
}

// Runs action up to runs times, once only when the first run is slow.
template <typename Action>
void Repeat(int runs, Action action)
{
    for (int run = 0; run < runs; ++run) {
        double seconds = action();
        if (seconds > kSlowSeconds)
            break;
    }
}

// Times one action up to the runs asked, as Repeat does, into row.
template <typename Action>
void TimeRow(Bench& b, int size, Row row, Action action)
{
    Repeat(b.options.runs, [&] {
        Sample s = action();
        const double seconds = s.seconds;
        Add(b, size, row, std::move(s));
        return seconds;
    });
}

Sample Fail(const std::string& why)
{
    Sample s;
    s.note = why;
    return s;
}

// --- the actions ------------------------------------------------------------

// Selects a tab as a click on it does and times it; the page of the tab
// must be the open one then.
Sample SelectTab(Program& p, int tab, int controlOfPage)
{
    Sample s = p.TimeSend(p.Tabs(), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
    HWND page = p.OpenPage();
    if (!page || !GetDlgItem(page, controlOfPage) || SendMessageA(p.Tabs(), TCM_GETCURSEL, 0, 0) != tab) {
        s.ok = false;
        s.note += "the page of tab " + std::to_string(tab) + " is not open";
    }
    p.Settle();
    return s;
}

Sample ClickOnPage(Program& p, int button)
{
    HWND page = p.OpenPage();
    HWND control = GetDlgItem(page, button);
    if (!control || !IsWindowEnabled(control))
        return Fail("button " + std::to_string(button) + " is not there or not enabled");
    Sample s = p.TimeSend(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    p.Settle();
    return s;
}

Sample Command(Program& p, UINT id)
{
    Sample s = p.TimeSend(p.Main(), WM_COMMAND, id, 0);
    p.Settle();
    return s;
}

// Opens a dialog by clicking a button of the open page or a command of the
// main window; times it until the dialog with control shows, then closes it.
Sample OpenDialog(Program& p, HWND target, int id, int control)
{
    Sample s = p.TimePostUntil(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(GetDlgItem(target, id)),
                               [&] { return p.DialogWith(control); });
    if (HWND dialog = p.DialogWith(control))
        p.CloseDialog(dialog);
    return s;
}

// A choice in the selector's list: the list tells the selector, which tells
// the main window, as a click in the dropped list does.
Sample SwitchSystem(Program& p, int position)
{
    HWND selector = p.Selector();
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(selector, CB_SETCURSEL, position, 0, SMTO_NORMAL, 5000, &unused);
    Sample s = p.TimeSend(selector, WM_COMMAND, MAKEWPARAM(kSelectorListId, LBN_SELCHANGE), 0);
    Sample told = p.TimeSend(p.Main(), WM_COMMAND, MAKEWPARAM(kSelectorId, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(selector));
    s.seconds += told.seconds;
    s.ok = s.ok && told.ok;
    s.note += told.note;
    p.Settle();
    if (SendMessageA(selector, CB_GETCURSEL, 0, 0) != position) {
        s.ok = false;
        s.note += "the selector does not show system " + std::to_string(position + 1);
    }
    return s;
}

// A command of the main window that asks first: timed from the "Yes" until
// the command has returned.
Sample AcceptedCommand(Program& p, UINT id)
{
    PostMessageA(p.Main(), WM_COMMAND, id, 0);
    const double asked = Now();
    HWND box = nullptr;
    while (!(box = p.MessageBox()) && Now() - asked < kSlowSeconds)
        Sleep(1);
    if (!box)
        return Fail("the command asked nothing");
    Sample s;
    const double start = Now();
    AnswerBox(box, Answer::Accept);
    while (IsWindow(box))   // a message sent before the box goes would be answered from within it
        Sleep(1);
    DWORD_PTR unused = 0;
    s.ok = SendMessageTimeoutA(p.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 600000, &unused) != 0;
    s.seconds = Now() - start;
    p.Settle();
    if (HWND other = p.MessageBox()) {
        s.ok = false;
        s.note = "asked: " + WindowText(GetDlgItem(other, 0xFFFF));
        AnswerBox(other, Answer::Decline);
        p.Settle();
    }
    return s;
}

// The loaded system is the one named, as the Object page shows it.
bool ObjectPageShows(Program& p, const std::string& name)
{
    SelectTab(p, kObjectTab, kObjectContentsTemp);
    bool shown = WindowText(GetDlgItem(p.OpenPage(), kObjectDescription)) == name;
    SelectTab(p, kProjectTab, kProjectPageLabel);
    return shown;
}

HWND ChildDialogWith(HWND parent, int control)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgItem(child, control))
            return child;
    return nullptr;
}

void SetCheck(HWND dialog, int control, bool checked)
{
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                        SMTO_NORMAL, 5000, &unused);
}

// Pages the viewer counts ("Page: 1 / 37" in its status bar), 0 when none.
int ViewerPages(HWND viewer)
{
    std::string status = WindowText(FindWindowExA(viewer, nullptr, STATUSCLASSNAMEA, nullptr));
    size_t slash = status.rfind('/');
    return slash == std::string::npos ? 0 : std::atoi(status.c_str() + slash + 1);
}

// The print dialog open with every system marked and the heat loss section
// to go to the viewer; its window, null when it did not open.
HWND PrintDialogForAll(Program& p)
{
    p.TimePostUntil(p.Main(), WM_COMMAND, kCmdPrint, 0, [&] { return p.DialogWith(kSheetTabs); });
    HWND sheet = p.DialogWith(kSheetTabs);
    HWND selection = sheet ? ChildDialogWith(sheet, kMarkAllSystems) : nullptr;
    if (!selection)
        return nullptr;
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(selection, WM_COMMAND, MAKEWPARAM(kMarkAllSystems, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(selection, kMarkAllSystems)), SMTO_NORMAL, 60000, &unused);
    SetCheck(selection, kPreviewChoice, true);
    SetCheck(selection, kClipboardChoice, false);
    SetCheck(selection, kSectionHeatLoss, true);
    for (int section : kOtherSections)
        SetCheck(selection, section, false);
    return sheet;
}

// Print in that dialog, timed until the viewer has painted page 1 and waits
// for the user, and until it counts a page for every system.
void PreviewAll(Bench& b, Program& p, int size)
{
    HWND sheet = PrintDialogForAll(p);
    if (!sheet) {
        Add(b, size, RowPreviewFirstPage, Fail("the print dialog did not open"));
        return;
    }
    const double start = Now();
    Sample first = p.TimePostUntil(sheet, WM_COMMAND, MAKEWPARAM(kSheetPrint, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(GetDlgItem(sheet, kSheetPrint)),
                                   [&] { return p.WindowOfClass("TordocViewer"); });
    HWND viewer = p.WindowOfClass("TordocViewer");
    DWORD_PTR unused = 0;
    if (viewer && SendMessageTimeoutA(viewer, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &unused))
        first.seconds = Now() - start;
    Sample whole = first;
    int pages = 0;
    while (viewer && (pages = ViewerPages(viewer)) < size && Now() - start < 900)
        Sleep(1);
    whole.seconds = Now() - start;
    if (pages < size) {
        whole.ok = false;
        whole.note += "the viewer counts " + std::to_string(pages) + " pages";
    }
    Add(b, size, RowPreviewFirstPage, first);
    Add(b, size, RowPreviewWhole, whole);
    if (viewer) {
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        while (IsWindow(viewer))
            Sleep(10);
    }
    p.CloseDialog(sheet);
}

// The project name edited on the Project tab, then the window's close box:
// timed until the save question shows and, after "No", until the program
// has ended.
void CloseWithChange(Bench& b, Program& p, int size)
{
    if (SendMessageA(p.Tabs(), TCM_GETCURSEL, 0, 0) != kProjectTab)
        SelectTab(p, kProjectTab, kProjectPageLabel);
    Sleep(1100);   // changes count from the second after the last save or open
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(GetDlgItem(p.OpenPage(), kProjectName), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("Power plant, boiler house, revised"), SMTO_NORMAL, 5000, &unused);
    Sample question = p.TimePostUntil(p.Main(), WM_CLOSE, 0, 0, [&] { return p.MessageBox(); });
    HWND box = p.MessageBox();
    if (!box) {
        Add(b, size, RowCloseQuestion, question);
        return;
    }
    question.note = "asked: ";
    question.note += WindowText(GetDlgItem(box, 0xFFFF));
    Add(b, size, RowCloseQuestion, question);
    const double answered = Now();
    AnswerBox(box, Answer::Decline);
    Sample end;
    end.ok = p.WaitEnd(600) >= 0;
    end.seconds = Now() - answered;
    if (!end.ok)
        end.note = "the program did not end";
    Add(b, size, RowCloseEnd, end);
    p.Quit();
}

// --- the sessions -------------------------------------------------------------

bool Start(Program& p, const std::string& exe, const std::string& project)
{
    std::string error;
    if (p.Start(exe, project, &error))
        return true;
    std::printf("%s: %s\n", exe.c_str(), error.c_str());
    return false;
}

void TimeTabsAndPageCommands(Bench& b, Program& p, int size)
{
    Repeat(b.options.runs, [&] {
        Sample toObject = SelectTab(p, kObjectTab, kObjectContentsTemp);
        Add(b, size, RowTabProjectObject, toObject);
        Sample toHeatLoss = SelectTab(p, kHeatLossTab, kCalculateButton);
        Add(b, size, RowTabObjectHeatLoss, toHeatLoss);
        Sample calculate = ClickOnPage(p, kCalculateButton);
        Add(b, size, RowCalculate, calculate);
        Sample table = OpenDialog(p, p.OpenPage(), kThicknessTableButton, kThicknessList);
        Add(b, size, RowThicknessTable, table);
        Sample back = SelectTab(p, kObjectTab, kObjectContentsTemp);
        Add(b, size, RowTabHeatLossObject, back);
        SelectTab(p, kProjectTab, kProjectPageLabel);
        return std::max({toObject.seconds, toHeatLoss.seconds, calculate.seconds, table.seconds, back.seconds});
    });
}

void TimeSwitches(Bench& b, Program& p, int size)
{
    const int other = size / 2;
    int run = 0;
    TimeRow(b, size, RowSwitchSystem, [&] { return SwitchSystem(p, run++ % 2 == 0 ? other : 0); });
    if (!ObjectPageShows(p, Projects_SystemName(run % 2 == 1 ? other : 0)))
        std::printf("[%d] the Object page does not show the system chosen last\n", size);
    if (run % 2 == 1)
        SwitchSystem(p, 0);
}

// The first system deleted, a new one made (the last, or the first where every
// number is taken) and named: the project keeps its size.
void TimeSystemCommands(Bench& b, Program& p, int size)
{
    int run = 0;
    Repeat(b.options.runs, [&] {
        SwitchSystem(p, 0);
        Sample deleted = AcceptedCommand(p, kCmdDeleteSystem);
        Add(b, size, RowDeleteSystem, deleted);
        Sample made = AcceptedCommand(p, kCmdNewSystem);
        Add(b, size, RowNewSystem, made);
        SelectTab(p, kObjectTab, kObjectContentsTemp);
        DWORD_PTR unused = 0;
        const std::string name = "Renamed " + std::to_string(++run);
        SendMessageTimeoutA(GetDlgItem(p.OpenPage(), kObjectDescription), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(name.c_str()), SMTO_NORMAL, 5000, &unused);
        Sample renamed = SelectTab(p, kProjectTab, kProjectPageLabel);
        const int loaded = static_cast<int>(SendMessageA(p.Selector(), CB_GETCURSEL, 0, 0));
        if (WindowText(p.Selector()).find(name) == std::string::npos ||
            SendMessageA(p.Selector(), CB_GETCOUNT, 0, 0) != size) {
            renamed.ok = false;
            renamed.note += "the selector shows " + WindowText(p.Selector()) + " at " + std::to_string(loaded + 1);
        }
        Add(b, size, RowRenameSystem, renamed);
        return std::max({deleted.seconds, made.seconds, renamed.seconds});
    });
}

void TimeOpens(Bench& b, Program& p, int size)
{
    TimeRow(b, size, RowOpen, [&] {
        Command(p, kCmdSave);   // saved, Open asks nothing
        Sample s = Command(p, kCmdFirstRecentFile);
        if (SendMessageA(p.Selector(), CB_GETCOUNT, 0, 0) != size) {
            s.ok = false;
            s.note += "the selector does not list every system";
        }
        return s;
    });
}

void RunStandard(Bench& b, int size, const std::string& project)
{
    Program p;
    if (!Start(p, b.exe, project))
        return;
    TimeTabsAndPageCommands(b, p, size);
    TimeRow(b, size, RowSave, [&] { return Command(p, kCmdSave); });
    TimeSwitches(b, p, size);
    TimeRow(b, size, RowPrintDialog, [&] { return OpenDialog(p, p.Main(), kCmdPrint, kSheetTabs); });
    Repeat(b.options.runs, [&] {
        PreviewAll(b, p, size);
        return b.results[size][RowPreviewWhole].empty() ? 0 : b.results[size][RowPreviewWhole].back().seconds;
    });
    TimeOpens(b, p, size);
    TimeSystemCommands(b, p, size);
    CloseWithChange(b, p, size);
    for (int run = 1; run < b.options.runs; ++run) {
        if (!Start(p, b.exe, project))
            return;
        CloseWithChange(b, p, size);
    }
}

void RunExtended(Bench& b, int size, const std::string& project)
{
    Program p;
    if (!Start(p, b.extendedExe, project))
        return;
    SelectTab(p, kHeatLossTab, kCalculateButton);
    TimeRow(b, size, RowCheapest, [&] { return ClickOnPage(p, kCheapestButton); });
    p.Quit();
}

// --- the table -----------------------------------------------------------------

std::string Figure(const std::vector<Sample>& samples, int runs)
{
    if (samples.empty())
        return "-";
    std::vector<double> seconds;
    bool allOk = true;
    for (const Sample& s : samples) {
        seconds.push_back(s.seconds);
        allOk = allOk && s.ok;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    char text[48];
    if (median >= 10)
        std::snprintf(text, sizeof text, "%.1f s", median);
    else if (median >= 1)
        std::snprintf(text, sizeof text, "%d,%03d ms", static_cast<int>(median * 1e3) / 1000,
                      static_cast<int>(median * 1e3) % 1000);
    else
        std::snprintf(text, sizeof text, "%.0f ms", median * 1e3);
    std::string figure = text;
    if (static_cast<int>(samples.size()) < runs)
        figure += " (" + std::to_string(samples.size()) + ")";
    return allOk ? figure : figure + " !";
}

void PrintTable(const Bench& b)
{
    std::printf("\nmedian of %d runs (\"(1)\": one run, the first took over %.0f s; \"!\": a run was interrupted "
                "or failed, see above)\n",
                b.options.runs, kSlowSeconds);
    std::printf("%-44s", "action");
    for (int size : b.options.sizes)
        std::printf(" %14s", (std::to_string(size) + " systems").c_str());
    std::printf("\n");
    for (int row = 0; row < kRows; ++row) {
        std::printf("%-44s", kRowNames[row]);
        for (int size : b.options.sizes) {
            auto found = b.results.find(size);
            std::printf(" %14s", found == b.results.end() ? "-" : Figure(found->second[row], b.options.runs).c_str());
        }
        std::printf("\n");
    }
}

// --- set-up ---------------------------------------------------------------------

std::string Folder(const std::string& path)
{
    return path.substr(0, path.find_last_of("\\/"));
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::vector<int> Sizes(const char* list)
{
    std::vector<int> sizes;
    for (const char* p = list; *p;) {
        sizes.push_back(std::atoi(p));
        p = std::strchr(p, ',');
        if (!p)
            break;
        ++p;
    }
    return sizes;
}

bool ParseOptions(int argc, char** argv, Options* o)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string build = Folder(Folder(self));
    o->bin = build + "\\bin";
    o->extendedBin = build + "\\bin-extended";
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--sizes" && hasValue)
            o->sizes = Sizes(argv[++i]);
        else if (arg == "--runs" && hasValue)
            o->runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--bin" && hasValue)
            o->bin = FullPath(argv[++i]);
        else if (arg == "--extended-bin" && hasValue)
            o->extendedBin = FullPath(argv[++i]);
        else if (arg == "--write" && hasValue) {
            o->writeFile = FullPath(argv[++i]);
            if (i + 1 < argc && argv[i + 1][0] != '-')
                o->writeSystems = std::atoi(argv[++i]);
        } else {
            std::printf("unknown argument %s\n", arg.c_str());
            return false;
        }
    }
    return true;
}

std::string TempFile(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

}  // namespace

int main(int argc, char** argv)
{
    Bench b;
    if (!ParseOptions(argc, argv, &b.options))
        return 2;
    b.exe = b.options.bin + "\\Varmelin.exe";
    b.extendedExe = b.options.extendedBin + "\\Varmelin.exe";
    b.seed = TempFile("window_bench_seed.wdf");
    UnmanagedWindows unmanaged("Varmelin.exe");
    std::string error;
    if (!Projects_MakeSeed(b.exe, b.seed, &error)) {
        std::printf("%s\n", error.c_str());
        return 1;
    }
    if (!b.options.writeFile.empty()) {
        if (!Projects_Grow(b.seed, b.options.writeFile, b.options.writeSystems, &error)) {
            std::printf("%s\n", error.c_str());
            return 1;
        }
        std::printf("wrote %s: %d systems\n", b.options.writeFile.c_str(), b.options.writeSystems);
        return 0;
    }
    std::printf("program %s\n", b.exe.c_str());
    for (int size : b.options.sizes) {
        const std::string project = TempFile(("window_bench_" + std::to_string(size) + ".wdf").c_str());
        const double start = Now();
        if (!Projects_Grow(b.seed, project, size, &error)) {
            std::printf("%s\n", error.c_str());
            continue;
        }
        std::printf("[%d] project made in %.1f s\n", size, Now() - start);
        RunStandard(b, size, project);
        RunExtended(b, size, project);
    }
    PrintTable(b);
    return 0;
}
