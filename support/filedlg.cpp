// The open and save file dialogs: one preparation for both, differing only
// in flags, the call and the error text.
#include "support/filedlg.h"
#include "support/app.h"
#include "support/dlgutil.h"
#include "support/msgbox.h"
#include "support/paths.h"
#include "support/strings.h"
#include "support/utf8.h"
#include <commdlg.h>
#include <cstring>
#include <algorithm>
#include <string>

namespace {

// WCHARs of the path the dialog may give back (longer than any path kept).
constexpr size_t kFileDlgChars = 1024;

struct FileDialogKind {
    DWORD flags;
    bool open;
    const char* errorText;
};

const FileDialogKind kOpen = {
    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER,
    true, "Error in common-dialog !"};
const FileDialogKind kSave = {OFN_READONLY | OFN_EXPLORER, false, "Error !"};

// The filter with every "|" a string end, and two string ends after it.
std::wstring SplitFilter(const char* filter)
{
    std::wstring wide = Dlg_Wide(filter);
    for (wchar_t& c : wide) {
        if (c == L'|')
            c = L'\0';
    }
    wide.append(2, L'\0');
    return wide;
}

int RunFileDialog(const FileDialogKind& kind, HWND owner, const char* filter, char* directory,
                  char* result, const char* title, bool help)
{
    char path[kFileDlgPathSize] = {};
    FileDlgRequest request = {owner, filter, directory, title, nullptr, kind.flags, kind.open};
    if (help) {
        request.flags |= OFN_SHOWHELP;
        if (!App().commdlgHelpMessage)
            App().commdlgHelpMessage = RegisterWindowMessageA("commdlg_help");
    }
    if (!FileDlg_Run(request, path, sizeof path)) {
        if (CommDlgExtendedError() != 0)
            MsgBox_Info(owner, kind.errorText);
        return 0;
    }
    Utf8_CopyCut(result, kFileDlgPathSize, path);
    Path_GetDirectory(directory, path);
    return 1;
}

}  // namespace

bool FileDlg_Run(const FileDlgRequest& request, char* path, size_t size)
{
    std::wstring filters = SplitFilter(request.filter ? request.filter : "");
    std::wstring directory = Dlg_Wide(request.initialDirectory);
    std::wstring title = Dlg_Wide(request.title);
    std::wstring extension = Dlg_Wide(request.extension);
    std::wstring file = Dlg_Wide(path);
    file.resize(std::max<size_t>(file.size() + 1, kFileDlgChars), L'\0');

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrInitialDir = request.initialDirectory ? directory.c_str() : nullptr;
    dialog.lpstrTitle = request.title ? title.c_str() : nullptr;
    dialog.lpstrDefExt = request.extension ? extension.c_str() : nullptr;
    dialog.Flags = request.flags;
    if (!(request.open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog)))
        return false;
    std::string chosen = Dlg_Narrow(file.c_str());
    if (chosen.size() >= size)
        return false;
    std::memcpy(path, chosen.c_str(), chosen.size() + 1);
    return true;
}

int FileDlg_Open(
HWND owner, const char* filter, char* directory, char* result, const char* title, bool help)
{
    return RunFileDialog(kOpen, owner, filter, directory, result, title, help);
}

int FileDlg_Save(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help)
{
    return RunFileDialog(kSave, owner, filter, directory, result, title, help);
}
