// The open and save file dialogs: one preparation for both, differing only
// in flags, the call and the error text.
#include "support/filedlg.h"
#include "support/app.h"
#include "support/msgbox.h"
#include "support/paths.h"
#include "support/strings.h"
#include "support/utf8.h"
#include <commdlg.h>
#include <cstring>
#include <vector>

namespace {

constexpr int kFileTitleSize = 32;

struct FileDialogKind {
    DWORD flags;
    BOOL(WINAPI* show)(LPOPENFILENAMEA);
    const char* errorText;
};

const FileDialogKind kOpen = {
    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER,
    GetOpenFileNameA, "Error in common-dialog !"};
const FileDialogKind kSave = {OFN_READONLY | OFN_EXPLORER, GetSaveFileNameA, "Error !"};

int RunFileDialog(const FileDialogKind& kind, HWND owner, const char* filter, char* directory,
                  char* result, const char* title, bool help)
{
    std::vector<char> filters(std::strlen(filter) + 2);
    Str_SplitFilter(filters.data(), filter);
    char path[kFileDlgPathSize] = {};
    char fileTitle[kFileTitleSize] = {};

    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrFileTitle = fileTitle;
    dialog.nMaxFileTitle = sizeof fileTitle;
    dialog.lpstrInitialDir = directory;
    dialog.lpstrTitle = title;
    dialog.Flags = kind.flags;
    if (help) {
        dialog.Flags |= OFN_SHOWHELP;
        if (!App().commdlgHelpMessage)
            App().commdlgHelpMessage = RegisterWindowMessageA("commdlg_help");
    }

    if (!kind.show(&dialog)) {
        if (CommDlgExtendedError() != 0)
            MsgBox_Info(owner, kind.errorText);
        return 0;
    }
    Utf8_CopyCut(result, kFileDlgPathSize, path);
    Path_GetDirectory(directory, path);
    return 1;
}

}  // namespace

int FileDlg_Open(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help)
{
    return RunFileDialog(kOpen, owner, filter, directory, result, title, help);
}

int FileDlg_Save(HWND owner, const char* filter, char* directory, char* result, const char* title, bool help)
{
    return RunFileDialog(kSave, owner, filter, directory, result, title, help);
}
