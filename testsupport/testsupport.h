// Test support for interface tests under the real Win32: run a dialog
// in-process, answer the dialog boxes a test expects (a CBT hook presses a
// button), find windows and read control texts and states, and bound how
// long the code under test may run. Test code only; the product has no
// seams for it.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Handles every message waiting in this thread's queue; messages for a
// dialog ("#32770") go through IsDialogMessage first.
void Ts_PumpMessages();

// A modeless dialog of this thread, destroyed with the holder: a Unicode
// dialog, as the program's are.
class TsDialog {
public:
    // From a dialog template resource.
    TsDialog(HINSTANCE instance, int templateId, DLGPROC procedure, LPARAM param = 0, HWND owner = nullptr);

    // From a blank template (a captioned 200 x 100 popup without controls),
    // for a procedure that makes its own controls or for controls a test adds.
    explicit TsDialog(DLGPROC procedure, LPARAM param = 0, HWND owner = nullptr);
    ~TsDialog();
    TsDialog(const TsDialog&) = delete;
    TsDialog& operator=(const TsDialog&) = delete;

    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

// A dialog box that a TsBoxAnswerer answered.
struct TsSeenBox {
    std::string caption;
    std::string text;  // a message box's message; the first non-empty static text
};

// While alive, answers every dialog box (class "#32770", message boxes and
// common dialogs included) that this thread activates: records its caption
// and text, calls the optional action with the box (to fill it in), then
// presses button (IDOK, IDCANCEL, IDYES, IDNO ...). With a caption given,
// boxes with another caption are left alone. One answerer at a time.
class TsBoxAnswerer {
public:
    using Action = std::function<void(HWND box)>;

    explicit TsBoxAnswerer(int button, const char* caption = nullptr, Action action = nullptr);
    ~TsBoxAnswerer();
    TsBoxAnswerer(const TsBoxAnswerer&) = delete;
    TsBoxAnswerer& operator=(const TsBoxAnswerer&) = delete;

    const std::vector<TsSeenBox>& boxes() const { return boxes_; }

    // Called once for each box activated, from the box's own message loop.
    void Answer(HWND box);

private:
    int button_;
    std::string caption_;
    bool anyCaption_;
    Action action_;
    std::vector<TsSeenBox> boxes_;
    HHOOK hook_ = nullptr;
};

// Waits up to timeoutMs for a dialog box ("#32770") of another process,
// records its caption and text and presses button. An empty caption and
// text when none came.
TsSeenBox Ts_AnswerProcessBox(DWORD processId, int button, DWORD timeoutMs);

// A window by class and title (either NULL for any): a top-level window when
// parent is NULL, else a descendant of parent. NULL when there is none.
HWND Ts_FindWindow(const char* className, const char* title, HWND parent = nullptr);

// Posts text (UTF-8) to window as typed characters, one WM_CHAR for each
// UTF-16 unit, for the message loop to deliver as it delivers typing.
void Ts_PostTyping(HWND window, const char* text);

// Texts and states of dialog controls.

std::string Ts_WindowText(HWND window);
std::string Ts_ControlText(HWND dialog, int id);
bool Ts_IsEnabled(HWND dialog, int id);
bool Ts_IsChecked(HWND dialog, int id);          // a check box or radio button
int Ts_ComboSelection(HWND dialog, int id);      // the selected index, CB_ERR when none
std::string Ts_ComboSelectedText(HWND dialog, int id);  // "" when none

// Runs its steps, one a timer tick, while the code under test spins a modal
// loop. A step returns false to be tried again on the next tick (a window not
// open yet). After about 15 s every window of the thread is closed, so a
// failing test ends instead of hanging. One script at a time.
class TsUiScript {
public:
    using Step = std::function<bool()>;
    explicit TsUiScript(std::vector<Step> steps);
    ~TsUiScript();
    TsUiScript(const TsUiScript&) = delete;
    TsUiScript& operator=(const TsUiScript&) = delete;
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};

// While alive, bounds how long the code under test may run: when it has not
// ended after `seconds`, a watchdog thread reports the running test as failed
// on stderr and ends the test program, so a hang fails instead of blocking.
class TsTimeLimit {
public:
    explicit TsTimeLimit(int seconds);
    ~TsTimeLimit();
    TsTimeLimit(const TsTimeLimit&) = delete;
    TsTimeLimit& operator=(const TsTimeLimit&) = delete;

private:
    HANDLE done_;
    HANDLE watchdog_;
};
