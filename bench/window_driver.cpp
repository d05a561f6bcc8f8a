// Drives the real program from outside its process: start, find windows,
// time sent and posted commands, answer boxes, end. Knows the program only by
// its control ids, window classes and title.
#include "bench/window_driver.h"
#include "bench/benchclock.h"
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr int kCalcTabsId = 194;
constexpr int kSelectorId = 190;
constexpr int kMessageBoxTextId = 0xFFFF;   // the text of a system message box
constexpr DWORD kPollMs = 1;
constexpr DWORD kWatchMs = 20;

bool IsClass(HWND window, const char* name)
{
    char found[64] = {};
    GetClassNameA(window, found, sizeof found);
    return std::strcmp(found, name) == 0;
}

bool IsDialog(HWND window)
{
    return IsClass(window, "#32770");
}

// Visible top-level windows of process pid that pass test.
std::vector<HWND> TopLevels(DWORD pid, const std::function<bool(HWND)>& test)
{
    struct Search {
        DWORD pid;
        const std::function<bool(HWND)>* test;
        std::vector<HWND> found;
    } search{pid, &test, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && (*s->test)(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FirstTopLevel(DWORD pid, const std::function<bool(HWND)>& test)
{
    std::vector<HWND> found = TopLevels(pid, test);
    return found.empty() ? nullptr : found.front();
}

bool IsMessageBox(HWND window)
{
    return IsDialog(window) && GetDlgItem(window, kMessageBoxTextId);
}

// What a box says: its text, or its caption when it is another dialog.
std::string BoxText(HWND box)
{
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    std::string shown = WindowText(text ? text : box);
    std::replace(shown.begin(), shown.end(), '\n', ' ');
    std::replace(shown.begin(), shown.end(), '\r', ' ');
    return shown.empty() ? "(a dialog without text)" : shown;
}

std::string BaseName(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                             5000, &copied))
        return "";
    text.resize(std::min<size_t>(copied, length));
    return text;
}

void AnswerBox(HWND box, Answer answer)
{
    static const int kDecline[] = {IDNO, IDOK, IDCANCEL};
    static const int kAccept[] = {IDYES, IDOK, IDCANCEL};
    for (int id : answer == Answer::Decline ? kDecline : kAccept) {
        if (HWND button = GetDlgItem(box, id)) {
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    PostMessageA(box, WM_CLOSE, 0, 0);
}

Program::~Program()
{
    Quit();
}

bool Program::Running() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::Tabs() const
{
    return GetDlgItem(main_, kCalcTabsId);
}

HWND Program::Selector() const
{
    return GetDlgItem(main_, kSelectorId);
}

HWND Program::OpenPage() const
{
    HWND tabs = Tabs();
    for (HWND child = GetWindow(tabs, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDialog(child) && IsWindowVisible(child))
            return child;
    return nullptr;
}

HWND Program::DialogWith(int id) const
{
    return FirstTopLevel(process_.dwProcessId, [id](HWND w) { return IsDialog(w) && GetDlgItem(w, id); });
}

HWND Program::MessageBox() const
{
    return FirstTopLevel(process_.dwProcessId, IsMessageBox);
}

HWND Program::WindowOfClass(const char* name) const
{
    return FirstTopLevel(process_.dwProcessId, [name](HWND w) { return IsClass(w, name); });
}

std::set<HWND> Program::Dialogs() const
{
    std::vector<HWND> shown = TopLevels(process_.dwProcessId, IsDialog);
    return {shown.begin(), shown.end()};
}

std::string Program::AnswerNewBoxes(Answer answer, std::set<HWND>* seen) const
{
    std::string said;
    for (HWND box : TopLevels(process_.dwProcessId, IsDialog)) {
        if (!seen->insert(box).second)
            continue;
        said += (said.empty() ? "" : "; ") + BoxText(box);
        AnswerBox(box, answer);
    }
    return said;
}

bool Program::Start(const std::string& exe, const std::string& project, std::string* error)
{
    Quit();
    std::string folder = exe.substr(0, exe.find_last_of("\\/"));
    std::string command = "\"" + exe + "\" \"" + project + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process_)) {
        *error = "cannot start " + exe;
        process_ = {};
        return false;
    }
    const std::string name = Lower(BaseName(project));
    std::set<HWND> answered;
    const double give_up = Now() + 900;
    while (Now() < give_up) {
        if (!Running()) {
            *error = "the program ended while starting";
            return false;
        }
        main_ = FirstTopLevel(process_.dwProcessId, [](HWND w) { return GetDlgItem(w, kCalcTabsId) != nullptr; });
        bool dialogShown = false;
        for (HWND dialog : TopLevels(process_.dwProcessId, IsDialog)) {
            dialogShown = true;
            if (!answered.insert(dialog).second)
                continue;
            if (IsMessageBox(dialog)) {
                *error += "start-up box: " + BoxText(dialog) + "\n";
                AnswerBox(dialog, Answer::Accept);   // a file marked in use is opened all the same
            } else {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);   // the start-up about box
            }
        }
        DWORD_PTR unused = 0;
        if (main_ && !dialogShown && Lower(WindowText(main_)).find(name) != std::string::npos &&
            SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 200, &unused)) {
            error->clear();
            Settle();
            return true;
        }
        Sleep(20);
    }
    *error = "the program did not show the project";
    return false;
}

void Program::Quit()
{
    if (Running()) {
        PostMessageA(main_, WM_CLOSE, 0, 0);
        const double give_up = Now() + 300;
        std::set<HWND> answered;
        while (Running() && Now() < give_up) {
            AnswerNewBoxes(Answer::Decline, &answered);
            Sleep(kWatchMs);
        }
        if (Running())
            TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    if (process_.hProcess) {
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    process_ = {};
    main_ = nullptr;
}

void Program::Settle() const
{
    if (!Running())
        return;
    WaitForInputIdle(process_.hProcess, 60000);
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &unused);
    Sleep(20);
    WaitForInputIdle(process_.hProcess, 60000);
}

void Program::CloseDialog(HWND dialog, UINT command) const
{
    PostMessageA(dialog, WM_COMMAND, command, 0);
    const double give_up = Now() + 60;
    while (IsWindow(dialog) && Now() < give_up)
        Sleep(kWatchMs);
    Settle();
}

double Program::WaitEnd(double timeoutSeconds) const
{
    const double start = Now();
    DWORD waited = WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutSeconds * 1000));
    return waited == WAIT_OBJECT_0 ? Now() - start : -1;
}

Sample Program::TimeSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, double timeoutSeconds)
{
    Sample sample;
    std::atomic<bool> done{false};
    double start = 0, end = 0;
    LRESULT sent = 0;
    std::thread sender([&] {
        DWORD_PTR result = 0;
        start = Now();
        sent = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                                   static_cast<UINT>(timeoutSeconds * 1000), &result);
        end = Now();
        done = true;
    });
    std::set<HWND> seen = Dialogs();   // those open before are the action's own
    while (!done) {
        std::string said = AnswerNewBoxes(Answer::Decline, &seen);
        if (!said.empty())
            sample.note += (sample.note.empty() ? "" : "; ") + said;
        Sleep(kWatchMs);
    }
    sender.join();
    sample.seconds = end - start;
    sample.ok = sent != 0 && sample.note.empty();
    if (!sent)
        sample.note = "no answer within " + std::to_string(static_cast<int>(timeoutSeconds)) + " s";
    return sample;
}

Sample Program::TimePostUntil(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              const std::function<HWND()>& shown, double timeoutSeconds)
{
    Sample sample;
    const double start = Now();
    PostMessageA(window, message, wParam, lParam);
    double checked = start;
    std::set<HWND> answered;
    while (true) {
        const double now = Now();
        HWND found = shown();
        if (found && IsWindowVisible(found)) {
            sample.seconds = now - start;
            sample.ok = sample.note.empty();
            return sample;
        }
        if (now - start > timeoutSeconds || !Running()) {
            sample.seconds = now - start;
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            sample.note = Running() ? "did not show within " + std::to_string(static_cast<int>(timeoutSeconds)) + " s"
                                    : "the program ended with code " + std::to_string(code);
            return sample;
        }
        // Another box than the one looked for is answered.
        if (!found && now - checked > kWatchMs / 1000.0) {
            checked = now;
            HWND box = MessageBox();
            if (box && box != shown() && answered.insert(box).second) {
                sample.note += (sample.note.empty() ? "" : "; ") + BoxText(box);
                AnswerBox(box, Answer::Decline);
            }
        }
        Sleep(kPollMs);
    }
}

UnmanagedWindows::UnmanagedWindows(const char* exeName)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + exeName + "\\X11 Driver")
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    char value[16] = {};
    DWORD size = sizeof value - 1;
    hadValue_ = RegQueryValueExA(key, "Managed", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
                ERROR_SUCCESS;
    previous_ = value;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

UnmanagedWindows::~UnmanagedWindows()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                       static_cast<DWORD>(previous_.size() + 1));
    else
        RegDeleteValueA(key, "Managed");
    RegCloseKey(key);
}
