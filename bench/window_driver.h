// Drives the real program from outside its process, as a user's clicks do:
// starts it on a project, finds its windows by control id, sends commands and
// times them (a sent message returns once handled; a dialog counts once its
// window shows), answers the boxes that come up and ends it.
#pragma once
#include <windows.h>
#include <functional>
#include <set>
#include <string>

// One timed action: its seconds, and what interrupted it (a box the program
// showed that the action does not ask for; its text), or why it failed.
struct Sample {
    double seconds = 0;
    bool ok = false;
    std::string note;
};

// Which button answers a box that comes up, in order of preference.
enum class Answer { Decline, Accept };

class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // Starts exe in its own folder with project on its command line and waits
    // until its main window shows the project and is idle, dismissing the
    // start-up box; false (with the reason in error) when that fails.
    bool Start(const std::string& exe, const std::string& project, std::string* error);
    // Asks the program to close, declines to save and waits for its end;
    // ends the process when it does not go.
    void Quit();
    bool Running() const;

    HWND Main() const { return main_; }
    HWND Tabs() const;
    HWND Selector() const;
    // The calculation page open in the tab host, or null.
    HWND OpenPage() const;
    // A visible top-level dialog of the program with control id, or null.
    HWND DialogWith(int id) const;
    // A visible message box of the program, or null.
    HWND MessageBox() const;
    // A visible top-level window of the program of class name, or null.
    HWND WindowOfClass(const char* name) const;

    // Sends message to window and times it until handled. Boxes that come up
    // meanwhile are answered and noted.
    Sample TimeSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, double timeoutSeconds = 900);
    // Posts message to window and times it until shown() gives a window that
    // is visible; other dialogs that come up are answered and noted.
    Sample TimePostUntil(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         const std::function<HWND()>& shown, double timeoutSeconds = 900);
    // Waits until the program's thread is idle again.
    void Settle() const;
    // Closes a dialog the program shows (not timed) and waits until it is
    // gone and the command that showed it has returned.
    void CloseDialog(HWND dialog, UINT command = IDCANCEL) const;
    // Waits until the process has ended; its seconds from now, or a negative
    // value after timeoutSeconds.
    double WaitEnd(double timeoutSeconds) const;
    // Answers each dialog the program shows that is not yet in seen and adds
    // it there; what they said, empty when there was none.
    std::string AnswerNewBoxes(Answer answer, std::set<HWND>* seen) const;
    // The dialogs the program shows now.
    std::set<HWND> Dialogs() const;

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// Text of a window of any process.
std::string WindowText(HWND window);
// Presses the button of a box that answers as asked.
void AnswerBox(HWND box, Answer answer);

// Keeps the program's windows unmanaged by the X server's window manager for
// as long as it lives: with none running, Wine waits 2 s whenever a managed
// window hides, which would add to the next action.
class UnmanagedWindows {
public:
    explicit UnmanagedWindows(const char* exeName);
    ~UnmanagedWindows();
    UnmanagedWindows(const UnmanagedWindows&) = delete;
    UnmanagedWindows& operator=(const UnmanagedWindows&) = delete;

private:
    std::string key_;
    std::string previous_;
    bool hadValue_ = false;
};
