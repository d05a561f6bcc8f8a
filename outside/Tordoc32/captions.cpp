// Captions of the viewer from the settings file's "[TORDOC]" section, with
// the English captions as defaults.
#include "outside/Tordoc32/captions.h"

#include <windows.h>

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
