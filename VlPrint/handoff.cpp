// Hands a finished report on: the metafile with a settings file of captions to
// the document viewer, the rich-text file's content onto the clipboard in the
// format "Rich Text Format", or the tab-separated rows of output 4 onto the
// clipboard as Unicode text. The caller deletes the report file.
#include "VlPrint/print_internal.h"
#include "outside/Tordoc32/tordoc.h"
#include "support/dlgutil.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// An open file handle, closed with the holder.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// The file named by language text 3 in the print library's own directory.
std::string HelpPath()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(Prn().instance, path, MAX_PATH);
    std::string dir(path, length);
    size_t slash = dir.find_last_of('\\');
    dir.erase(slash == std::string::npos ? 0 : slash + 1);
    return dir + Print_Text(3);
}

// Key, text id and what follows the text, for the viewer's captions.
struct CaptionLine {
    int key;
    int textId;
    const char* suffix;
};

constexpr CaptionLine kCaptions[] = {
    {1002, 20052, ""}, {1003, 30105, ":"}, {1004, 10212, ":"}, {1005, 10213, ":"}, {1006, 9296, ":"},
    {1007, 9013, ""},  {1008, 20051, ""},  {1009, 9278, ""},   {1010, 9296, ""},   {1011, 9041, ""},
    {1012, 9164, ""},  {1013, 9296, "..."}, {1014, 9067, ""},  {1015, 20033, ""},  {1016, 9189, ""},
    {1018, 45400, ""}, {1019, 45401, ""},  {1020, 45402, ""},  {1021, 45403, ""},  {1022, 45404, ""},
    {1023, 45405, ""}, {1024, 45406, ""},
};

void WriteViewerSettings(const char* path, const std::string& helpPath)
{
    std::string text = "[TORDOC]\r\nT1001=" + helpPath + "\r\n";
    for (const CaptionLine& c : kCaptions) {
        char key[16];
        snprintf(key, sizeof key, "T%d=", c.key);
        text.append(key).append(Print_Text(c.textId)).append(c.suffix).append("\r\n");
    }
    text += "T1017=" + Print_JobName() + "\r\n";
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.ok())
        WriteFile(file.get(), text.data(), DWORD(text.size()), &written, nullptr);
}

// Puts the report file on the open clipboard; the failure message, or NULL.
const char* CopyToClipboard()
{
    EmptyClipboard();
    UINT format = RegisterClipboardFormatA("Rich Text Format");
    if (!format)
        return "Cannot register RTF";
    FileHandle file(CreateFileA(Prn().reportFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok())
        return "Cannot open created RTF file";
    DWORD size = GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return "Cannot open created RTF file";
    // One byte more than the file: the block is a terminated string.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(size) + 1);
    if (!block)
        return "Cannot add data to clipboard";
    void* data = GlobalLock(block);
    DWORD read = 0;
    bool complete = data && ReadFile(file.get(), data, size, &read, nullptr) && read == size;
    GlobalUnlock(block);
    if (!complete || !SetClipboardData(format, block)) {
        GlobalFree(block);
        return "Cannot add data to clipboard";
    }
    return nullptr;
}

// Puts text (UTF-8) on the open clipboard as Unicode text; the failure
// message, or NULL.
const char* CopyTextToClipboard(const std::string& text)
{
    EmptyClipboard();
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    HGLOBAL block = units > 0 ? GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(units) * sizeof(wchar_t)) : nullptr;
    if (!block)
        return "Cannot add data to clipboard";
    auto* data = static_cast<wchar_t*>(GlobalLock(block));
    const bool complete = data && MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, data, units) == units;
    GlobalUnlock(block);
    if (!complete || !SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
        return "Cannot add data to clipboard";
    }
    return nullptr;
}

// Runs copy on the open clipboard and tells the user the outcome.
template <typename Copy>
int HandToClipboard(HWND owner, Copy copy)
{
    if (!OpenClipboard(owner)) {
        Wnd_MessageBox(owner, "Cannot open clipboard", "", MB_OK);
        return -1;
    }
    const char* failure = copy();
    CloseClipboard();
    if (failure) {
        Wnd_MessageBox(owner, failure, "", MB_OK);
        return -1;
    }
    Wnd_MessageBox(owner, Print_Text(40026), Print_Text(1), MB_OK);
    return 0;
}

}  // namespace

int Handoff_Viewer(HWND owner)
{
    char dir[MAX_PATH];
    char settings[MAX_PATH] = {};
    DWORD length = GetTempPathA(sizeof dir, dir);
    bool haveSettings = length > 0 && length < sizeof dir && GetTempFileNameA(dir, "TRD", 0, settings);
    Print_SetInterfaceLanguage();   // the viewer's captions are in the interface language
    std::string helpPath = HelpPath();
    if (haveSettings)
        WriteViewerSettings(settings, helpPath);
    tordoc_start(owner, helpPath.c_str(), Prn().reportFile, 2, haveSettings ? settings : nullptr);
    if (haveSettings)
        DeleteFileA(settings);
    return 0;
}

int Handoff_Clipboard(HWND owner)
{
    return HandToClipboard(owner, CopyToClipboard);
}

int Handoff_Sheet(HWND owner)
{
    return HandToClipboard(owner, [] { return CopyTextToClipboard(Prn().sheet); });
}
