// Captions of the viewer from the settings file's "[TORDOC]" section, with
// the English captions as defaults.
#include "outside/Tordoc32/captions.h"

#include <windows.h>

#include <algorithm>

namespace {

struct CaptionKey {
    Caption id;
    const char* key;
    const char* english;
};

constexpr CaptionKey CaptionKeys[] = {
    {Caption::Title, "T1002", "Print preview"},
    {Caption::Page, "T1003", "Page:"},
    {Caption::Zoom, "T1004", "Zoom:"},
    {Caption::NextPage, "T1007", "Next page"},
    {Caption::PreviousPage, "T1008", "Previous page"},
    {Caption::WholePage, "T1009", "Whole page"},
    {Caption::PageWidth, "T1015", "Page width"},
    {Caption::Print, "T1013", "Print..."},
    {Caption::Close, "T1014", "Close"},
    {Caption::Cancel, "T1011", "Cancel"},
    {Caption::JobName, "T1017", "Report"},
    {Caption::Printing, "T1018", "Printing"},
    {Caption::PageOfPages, "T1019", "Page %d of %d"},
    {Caption::PrintFailed, "T1020", "The report could not be printed."},
    {Caption::PrintDialogFailed, "T1021", "The print dialog cannot be shown."},
    {Caption::WindowFailed, "T1022", "The report window cannot be opened."},
    {Caption::ReportMissing, "T1023", "The report %s cannot be opened."},
    {Caption::ReportDamaged, "T1024", "The report %s is damaged and cannot be shown."},
};
static_assert(std::size(CaptionKeys) == static_cast<size_t>(Caption::Count), "one key per caption");

} // namespace

Captions Captions_Read(const char* settingsFile)
{
    Captions captions;
    for (const CaptionKey& entry : CaptionKeys) {
        std::string& text = captions.text[static_cast<size_t>(entry.id)];
        text = entry.english;
        if (!settingsFile || !*settingsFile) continue;
        char value[512] = {};
        DWORD length = GetPrivateProfileStringA("TORDOC", entry.key, "", value, sizeof value, settingsFile);
        if (length > 0) text.assign(value, length);
    }
    return captions;
}

std::string Captions_Fill(const std::string& pattern, std::initializer_list<std::string> values)
{
    std::string text;
    auto next = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        bool slot = pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 'd' || pattern[i + 1] == 's');
        if (slot && next != values.end()) {
            text += *next++;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::wstring Captions_Wide(const std::string& text)
{
    int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(units, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    return wide;
}
