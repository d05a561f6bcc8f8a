// Times printing on projects of 2, 200 and 998 calculated systems: the print
// dialog until it shows, and the preview of every system until the viewer
// shows its first page, with the report's own making apart. Prints the median
// of three runs of each; it checks nothing. Then the preview's report is sent
// to paper as the viewer sends it, page by page: into an enhanced metafile
// standing in for a printer, and to Wine's printer driver (the default
// printer, or --printer NAME) writing into a file, with the seconds and the
// bytes of a page. Run under Wine on a display with build/bin on the module
// path: print_bench [systems] [--printer NAME].
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include "bench/benchclock.h"
#include "VlInterface/dialogs/dialogs.h"
#include "VlInterface/shell.h"
#include "VlPrint/vlprint.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "outside/Lexmo100/lexmo.h"
#include "outside/Tordoc32/paper.h"
#include "outside/Tordoc32/report.h"
#include "support/app.h"
#include "support/settings.h"

namespace {

constexpr char kBenchCompany[] = "VelmoBench";
constexpr char kBenchApplication[] = "PrintBench";
constexpr char kVersion[] = "1";

std::string BinFile(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("Lexmo100.dll"), path, sizeof(path));
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

void Stamp(AccessEntry* entry, const char* mark, long time)
{
    std::memcpy(entry->mark, mark, 4);
    entry->date = 20260105;
    entry->time = time;
}

// One calculated 114.3 mm pipe under three layers, every section's figures
// stored after their inputs.
void FillSystem(int index)
{
    char name[32];
    std::snprintf(name, sizeof(name), "Steam line %d", index + 1);
    Kadmi_SetStringAtt(0, Att_SystemName, name);
    Kadmi_SetIntAtt(0, Att_ObjectKind, Kind_Pipe);
    const float diameters[2] = {114.3f, 0};
    Kadmi_SetAtt(0, Att_OuterDiameters, 2, diameters);
    const std::pair<short, float> floats[] = {
        {Att_ContentsTemperature, 150}, {Att_AmbientTemperature, 20}, {Att_RelativeHumidity, 50},
        {Att_AirVelocity, 0}, {Att_Emissivity, 0.9f}, {Att_DewPoint, 9.3f}, {Att_HeatLoss, 42.5f},
        {Att_FaceTemperature, 28}, {Att_ContentsHeatCapacity, 2}, {Att_ContentsDensity, 0.5},
        {Att_FinalTemperature, 60}, {Att_TemperatureChange, 140}, {Att_OutletTemperature, 130},
        {Att_PipeHeatCapacityFreezing, 4.5f}, {Att_PipeDensityFreezing, 37}, {Att_ContentsHeatCapacityFreezing, 3},
        {Att_ContentsDensityFreezing, 30}, {Att_FreezingTemperature, 0}, {Att_FreezingStarts, 12},
        {Att_EnergyPriceIncrease, 2}, {Att_UsefulLife, 20}, {Att_EnergyPrice, 40}, {Att_OperatingHours, 8000},
        {Att_InterestRate, 5}, {Att_CapitalCost, 120}, {Att_EnergyCost, 80}, {Att_TotalCost, 200},
        {Att_PipeLength, 1.2f}};
    for (const auto& [att, value] : floats)
        Kadmi_SetFloatAtt(0, att, value);
    Kadmi_SetIntAtt(0, Att_ReportedSurface, Surface_Outer);
    const char* layers[3][3] = {
        {"MW-PIPESECTION", "IP", "MWP-114.3-50"}, {"MW-WIREDMAT", "IM", "MWM-40"}, {"MW-SLAB-HT", "IM", "MWS-30"}};
    for (auto& layer : layers) {
        long part = Kadmi_CreatePart();
        Kadmi_SetStringAtt(part, Att_ProductType, layer[0]);
        Kadmi_SetStringAtt(part, Att_ProductClass, layer[1]);
        Kadmi_SetStringAtt(part, Att_ProductCode, layer[2]);
        for (short att : {Att_InnerDiameter, Att_OuterDiameter, Att_NominalThickness, Att_FaceTemperature, Att_MaterialPrice})
            Kadmi_SetFloatAtt(part, att, 50);
    }
    AccessEntry stamps[6];
    const char* marks[6] = {Stamp_InsulationEdited, Stamp_HeatLoss, Stamp_CoolingEdited,
                            Stamp_Cooling,          Stamp_FreezingEdited, Stamp_Freezing};
    for (int i = 0; i < 6; ++i)
        Stamp(&stamps[i], marks[i], 100000 + 100 * (i % 2));
    Kadmi_SetAtt(0, Att_AccessStamps, 6, stamps);
}

// A project of `systems` systems, every one chosen for printing; left open
// with the first loaded.
bool MakeProject(const std::string& file, short systems)
{
    DeleteFileA(file.c_str());
    if (Kadmi_CreateDatabasefile(file.c_str()) != 0)
        return false;
    std::vector<short> pages;
    for (short i = 0; i < systems; ++i) {
        short page = i == 0 ? 1 : Kadmi_CreatePage();
        pages.push_back(page);
        Kadmi_LoadPage(page);
        FillSystem(i);
        Kadmi_SavePage();
    }
    Kadmi_LoadPage(1);
    Kadmi_SetAtt(-1, Att_PageSelection, systems, pages.data());
    Kadmi_SavePage();
    return Kadmi_SaveDatabasefile() == 0;
}

// The report metafile of the preview that shows: the newest in the temporary folder.
std::string NewestReport()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((std::string(temp) + "WD*.tmp").c_str(), &found);
    std::string newest;
    FILETIME newestTime{};
    if (search == INVALID_HANDLE_VALUE)
        return newest;
    do {
        if (CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
            newestTime = found.ftLastWriteTime;
            newest = std::string(temp) + found.cFileName;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return newest;
}

// Where the preview's report is kept for sending it to paper: the print
// library deletes its own when the viewer closes.
std::string KeptReport()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    return std::string(temp) + "print_bench_report.wmf";
}

// A window of this thread whose timer watches for the window being timed: a
// timer message comes only when the queue is empty, after a modal loop has
// shown (and painted) its window.
struct Stopwatch {
    HWND window = nullptr;
    const char* className = nullptr;
    double started = 0, shown = 0;
};
Stopwatch g_watch;

HWND VisibleWindowOfClass(const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (!IsWindowVisible(window) || std::strcmp(name, s->className) != 0)
            return TRUE;
        s->found = window;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return DefWindowProcA(window, message, wParam, lParam);
    if (HWND shown = VisibleWindowOfClass(g_watch.className)) {
        g_watch.shown = Now();
        KillTimer(window, 1);
        if (std::strcmp(g_watch.className, "TordocViewer") == 0)
            CopyFileA(NewestReport().c_str(), KeptReport().c_str(), FALSE);
        PostMessageA(shown, WM_CLOSE, 0, 0);
    }
    return 0;
}

// Seconds from the call of run until its window shows (the window is then
// closed), and until run returns.
struct Timing {
    double shown, whole;
};

Timing TimeUntilShown(const std::function<void()>& run, const char* className)
{
    g_watch.shown = 0;
    g_watch.className = className;
    SetTimer(g_watch.window, 1, 1, nullptr);
    g_watch.started = Now();
    run();
    const double end = Now();
    KillTimer(g_watch.window, 1);
    return {g_watch.shown - g_watch.started, end - g_watch.started};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void SetAllSections()
{
    int32_t options[100] = {};
    for (int i : {21, 22, 23, 24})
        options[i] = 1;
    Settings_WriteBinary(nullptr, "Output\\PrintOptionFlags", sizeof options, options);
}

long long FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Sends every page of report to dc as one job, each placed as the viewer
// places it; seconds from StartDoc to EndDoc. output names a file that the
// printer driver writes instead of the queue (NULL for a metafile).
double SendPages(const Report& report, HDC dc, const wchar_t* output)
{
    const RECT placed = Paper_ReportRect(Paper_Metrics(dc));
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = L"print_bench";
    document.lpszOutput = output;
    const double start = Now();
    if (output && StartDocW(dc, &document) <= 0)
        return -1;
    for (size_t page = 0; page < report.pages.size(); ++page) {
        if (output)
            StartPage(dc);
        Report_PlayPage(report, dc, page, placed);
        if (output)
            EndPage(dc);
    }
    if (output)
        EndDoc(dc);
    return Now() - start;
}

void TimePaper(const std::wstring& printer)
{
    Report report;
    if (Report_Load(KeptReport().c_str(), report) != ReportStatus::Ok) {
        std::printf("no report to send\n");
        return;
    }
    const double pages = static_cast<double>(report.pages.size());
    HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const double seconds = SendPages(report, metafile, nullptr);
    HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
    const double bytes = GetEnhMetaFileBits(recorded, 0, nullptr);
    DeleteEnhMetaFile(recorded);
    std::printf("%6.0f pages to paper: metafile %7.4f s a page, %7.1f KB a page\n", pages, seconds / pages,
                bytes / pages / 1024);
    HDC dc = printer.empty() ? nullptr : CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
    if (!dc)
        return;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring output = std::wstring(temp) + L"print_bench.ps";
    const double printed = SendPages(report, dc, output.c_str());
    DeleteDC(dc);
    std::printf("%6.0f pages to paper: printer  %7.4f s a page, %7.1f KB a page (%ls)\n", pages, printed / pages,
                FileBytes(output) / pages / 1024, printer.c_str());
    DeleteFileW(output.c_str());
    DeleteFileA(KeptReport().c_str());
}

std::wstring g_printer;

void TimeProject(short systems)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string file = std::string(temp) + "print_bench.wdf";
    if (!MakeProject(file, systems)) {
        std::printf("cannot make %s\n", file.c_str());
        return;
    }
    SetAllSections();
    std::vector<double> dialog, firstPage, wholeReport, reportMade;
    for (int run = 0; run < 3; ++run) {
        dialog.push_back(TimeUntilShown([] { PrintDialog_Show(g_watch.window, 0); }, "#32770").shown);
        char title[] = "print_bench", version[] = "1";
        Timing preview = TimeUntilShown(
            [&] { VlPrint_Print(g_watch.window, VlPrintOutput_Viewer, VlPrintReport_Calculation, 0, title, version); },
            "TordocViewer");
        firstPage.push_back(preview.shown);
        wholeReport.push_back(preview.whole);
        // The same report copied as plain text: its making without a viewer.
        const double start = Now();
        VlPrint_Print(nullptr, VlPrintOutput_Spreadsheet, VlPrintReport_Calculation, 0, title, version);
        reportMade.push_back(Now() - start);
    }
    std::printf("%4d systems: print dialog %8.1f ms   preview page 1 %8.1f ms, closed %8.1f ms   "
                "report as text %8.1f ms\n",
                systems, Median(dialog) * 1e3, Median(firstPage) * 1e3, Median(wholeReport) * 1e3,
                Median(reportMade) * 1e3);
    TimePaper(g_printer);
    Kadmi_CloseDatabasefile(0);
    DeleteFileA(file.c_str());
}

// Answers the clipboard copy's message box at once.
LRESULT CALLBACK PressOk(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char name[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        if (std::strcmp(name, "#32770") == 0 && !GetDlgItem(reinterpret_cast<HWND>(wParam), 990) &&
            GetDlgItem(reinterpret_cast<HWND>(wParam), IDOK))
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    App_Init(GetModuleHandleA(nullptr));
    Shell().textHandle = TextAPI_Open(BinFile("TextAPI.db").c_str(), BinFile("TextAPI.ddq").c_str());
    Settings_OpenRoot(kBenchCompany, kBenchApplication, kVersion);
    char company[] = "VelmoBench", application[] = "PrintBench", version[] = "1";
    VlPrint_InitDLL(nullptr, nullptr, company, application, version);
    WNDCLASSA watchClass{};
    watchClass.lpfnWndProc = WatchProc;
    watchClass.hInstance = App().instance;
    watchClass.lpszClassName = "PrintBenchWatch";
    RegisterClassA(&watchClass);
    g_watch.window = CreateWindowA("PrintBenchWatch", "print_bench", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                   nullptr, App().instance, nullptr);
    ShowWindow(g_watch.window, SW_SHOW);
    HHOOK hook = SetWindowsHookExA(WH_CBT, PressOk, nullptr, GetCurrentThreadId());
    // A size on the command line times that size only.
    short only = 0;
    wchar_t defaultPrinter[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (GetDefaultPrinterW(defaultPrinter, &length))
        g_printer = defaultPrinter;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--printer") == 0 && i + 1 < argc) {
            const std::string name = argv[++i];
            g_printer.assign(name.begin(), name.end());
        } else {
            only = static_cast<short>(std::atoi(argv[i]));
        }
    }
    if (only > 0)
        TimeProject(only);
    else
        for (short systems : {2, 200, 998})
            TimeProject(systems);
    UnhookWindowsHookEx(hook);
    DestroyWindow(g_watch.window);
    Settings_CloseRoot();
    TextAPI_Close(Shell().textHandle);
    return 0;
}
