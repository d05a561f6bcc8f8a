// One print from start to hand-off: the device, fonts, options, heading,
// footer values, print language and page selection, then the body that walks
// the selected systems (or the thickness list), the close and the hand-off.
#include "VlPrint/print_internal.h"
#include "resultstamps/resultstamps.h"
#include "Kadmi/kadmi.h"
#include "support/attributes.h"
#include "support/memory.h"
#include "support/dlgutil.h"
#include "support/settings.h"
#include "support/utf8.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

PrintGlobals& Prn()
{
    static PrintGlobals globals;
    return globals;
}

const char* Print_Text(int id)
{
    return id < 0 ? "" : TextAPI_GetText(Prn().textHandle, TextId(id));
}

namespace {

constexpr short kFooterAttributes[kFooterStrings] = {Att_CompanyName, Att_CompanyAddress1, Att_CompanyAddress2, Att_CompanyAddress3,
                                                     Att_CompanyPhone,   Att_CompanyFax,      Att_CompanyEmail,    Att_CompanyWeb};

LanguageId PrintLanguage()
{
    long language = Settings_ReadInt(nullptr, "Output\\PrintLng");
    return LanguageId(language <= 1500 ? long(kLangEnglish) : language);
}

// Sets language when it is not in force; true when it was changed.
bool SwitchLanguage(LanguageId language)
{
    if (TextAPI_GetLanguage(Prn().textHandle) == language)
        return false;
    TextAPI_SetLanguage(Prn().textHandle, language);
    return true;
}

void ReadFooter(const char* title)
{
    PrintGlobals& g = Prn();
    if (title)
        Utf8_CopyCut(g.footerTitle, sizeof g.footerTitle, title);
    for (int i = 0; i < kFooterStrings; ++i)
        if (!Kadmi_GetStringNAtt(KadmiObject_Project, kFooterAttributes[i], g.footer[i], kFooterStringSize))
            g.footer[i][0] = '\0';
}

// Makes page `index` (position among the project's pages) the loaded one and
// takes its layer parts. A print only reads: the page it leaves is not
// written back (the one loaded before the print was saved at its start).
bool LoadPageAt(int index)
{
    short page = Prn().pageNumbers[index];
    bool loaded = page > 0 && Kadmi_LoadPage(page) == 0;
    Print_TakeLayerParts();
    return loaded;
}

int FirstSelected()
{
    for (int i = 0; i < kMaxPages; ++i)
        if (Prn().selected[i])
            return i;
    return -1;
}

// Says which system's results are stale. Shown once the print-out
// language is left: a box speaks the interface language.
void ShowStale(HWND owner, const std::string& system)
{
    const char* text = Print_Text(20054);
    std::string message = system.empty() ? std::string(text) : system + ": " + text;
    Wnd_MessageBox(owner, message.c_str(), "", MB_OK);
}

// The systems of report 1: -1 at the first whose results are older than its
// inputs, its name (or "") in *stale.
int PrintSystems(int out, std::string* stale)
{
    bool first = true;
    for (int index = 0; index < kMaxPages; ++index) {
        if (!Prn().selected[index])
            continue;
        LoadPageAt(index);
        if (Stamps_HeatLossStale(Stamps_OfLoadedSystem())) {
            char name[kFooterStringSize] = {};
            if (Kadmi_GetStringNAtt(KadmiObject_Page, Att_SystemName, name, sizeof name))
                *stale = name;
            return -1;
        }
        if (!first)
            Report_NewPage(out);
        first = false;
        ReportCalc_Page(out);
    }
    return 0;
}

int PrintBody(int out, int report, std::string* stale)
{
    int first = FirstSelected();
    if (first >= 0)
        LoadPageAt(first);
    Report_PageHeader(out);
    int result = 0;
    if (report == 1) {
        ReportCalc_ProjectBlock(out);
        result = PrintSystems(out, stale);
    } else {
        result = ReportList_Body(out);
    }
    if (result == 0)
        Report_PageFooter(out);
    return result;
}

// Holds the wait cursor while a print draws.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}
    ~WaitCursor() { Restore(); }
    void Restore()
    {
        if (active_)
            SetCursor(previous_);
        active_ = false;
    }

private:
    HCURSOR previous_;
    bool active_ = true;
};

void Handoff(HWND owner, int output)
{
    switch (output) {
    case Output_Metafile: Handoff_Viewer(owner); break;
    case Output_Rtf: Handoff_Clipboard(owner); break;
    default: Handoff_Sheet(owner); break;
    }
}

}  // namespace

void Print_TakeLayerParts()
{
    for (short k = 0; k < 3; ++k) {
        long part = Kadmi_IthPart(k);
        Prn().layerParts[k] = part > 0 ? part : 0;
    }
}

void Print_SetInterfaceLanguage()
{
    long language = Settings_ReadInt(nullptr, "General\\InterfaceLng");
    SwitchLanguage(LanguageId(language < 1500 ? long(kLangEnglish) : language));
}

bool Print_ReadOptions()
{
    PrintGlobals& g = Prn();
    memset(g.options, 0, sizeof g.options);
    bool found = Settings_Read(nullptr, "Output\\PrintOptionFlags", nullptr, g.options, sizeof g.options) != nullptr;
    if (!found) {
        memset(g.options, 0, sizeof g.options);
        g.options[Option_BaseData] = 1;
    }
    g.baseData = g.options[Option_BaseData] != 0;
    g.cooling = g.options[Option_Cooling] != 0;
    g.freezing = g.options[Option_Freezing] != 0;
    g.economy = g.options[Option_Economy] != 0;
    return found;
}

// The page numbers of the project in order, read once for the whole print.
void ReadPageNumbers()
{
    PrintGlobals& g = Prn();
    memset(g.pageNumbers, 0, sizeof g.pageNumbers);
    short count = 0;
    if (short* pages = Kadmi_GetAllPages(&count)) {
        memcpy(g.pageNumbers, pages, sizeof(short) * size_t(std::clamp<short>(count, 0, kMaxPages)));
        Mem_Free(pages);
    }
}

void Print_SelectPages(int currentOnly)
{
    PrintGlobals& g = Prn();
    memset(g.selected, 0, sizeof g.selected);
    ReadPageNumbers();
    auto select = [&g](int index) {
        if (index >= 0 && index < kMaxPages)
            g.selected[index] = 1;
    };
    if (currentOnly) {
        short page = Kadmi_GetCurrentPage();
        if (page > 0)
            select(Kadmi_PageIndex(page));
        return;
    }
    short chosen[kMaxPages] = {};
    short count = 0;
    if (!Kadmi_GetAtt(KadmiObject_Project, Att_PageSelection, &count, chosen, sizeof chosen))
        return;
    for (int i = 0; i < kMaxPages && g.pageNumbers[i] > 0; ++i)
        for (int j = 0; j < count && j < kMaxPages; ++j)
            if (chosen[j] == g.pageNumbers[i])
                select(i);
}

void Print_BuildHeading(const char* version)
{
    PrintGlobals& g = Prn();
    std::string program = version, data;
    if (const size_t slash = program.find(kDataVersionSeparator); slash != std::string::npos) {
        data = program.substr(slash + std::strlen(kDataVersionSeparator));
        program.erase(slash);
    }
    char heading[1024];
    // The program as the interface names it: each edition its own.
    snprintf(heading, sizeof heading, "%s - %s %s", Print_Text(1), Print_ProgramName(), program.c_str());
    Utf8_CopyCut(g.heading, sizeof g.heading, heading);
    Utf8_CopyCut(g.headingData, sizeof g.headingData, data.c_str());
}

const char* Print_ProgramName()
{
    return Prn().application;
}

std::string Print_JobName()
{
    const std::string title = Prn().footerTitle;
    const size_t slash = title.find_last_of("\\/:");
    const std::string file = slash == std::string::npos ? title : title.substr(slash + 1);
    return file.empty() ? Print_ProgramName() : std::string(Print_ProgramName()) + " - " + file;
}

int Print_Run(HWND owner, int output, int report, int currentOnly, const char* title, const char* headingVersion,
              const char* settingsVersion)
{
    PrintGlobals& g = Prn();
    if (output != Output_Metafile && output != Output_Rtf && output != Output_Sheet)
        return 0;
    WaitCursor cursor;
    const short savedPage = Kadmi_GetCurrentPage();
    if (savedPage > 0)
        Kadmi_SavePage();
    g.pageCounter = 1;
    Settings_OpenRoot(g.company, g.application, settingsVersion ? settingsVersion : "");

    int result = Report_OpenDevice(output);
    if (result == 0) {
        Report_SetupFonts(output);
        if (output == Output_Metafile)
            Report_Comment('B');
        Print_ReadOptions();
        g.pageHeight = 2900;
        g.columnWidth = 86;
        g.logo = true;
        ReadFooter(title);

        const LanguageId saved = TextAPI_GetLanguage(g.textHandle);
        const bool switched = SwitchLanguage(PrintLanguage());
        Print_BuildHeading(headingVersion ? headingVersion : "");
        Print_SelectPages(currentOnly);
        std::string stale;
        result = PrintBody(output, report, &stale);
        if (switched)
            TextAPI_SetLanguage(g.textHandle, saved);
        Report_CloseDevice(output);
        cursor.Restore();
        if (result == 0)
            Handoff(owner, output);
        else if (report == 1)
            ShowStale(owner, stale);
    }
    if (g.reportFile[0])
        DeleteFileA(g.reportFile);
    g.reportFile[0] = '\0';
    if (savedPage > 0) {
        Kadmi_LoadPage(savedPage);
        Print_TakeLayerParts();
    }
    return 0;
}
