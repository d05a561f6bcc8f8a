// What the shell dialogs' tests share: the running shell with a project of
// three systems, the project's change mark, and a modal dialog of the main
// window driven by a function once it is open.
#pragma once
#include "VlInterface/tests/window_fixture.h"
#include <functional>

class DialogsTest : public ShellWindowTest {
protected:
    // Starts the shell on a project of three named systems (the first with
    // its layer parts).
    void StartWithThreeSystems();
    static bool ChangeMarked();
    static void ForgetChangeMark();
    // Sends command to the main window; action gets the dialog it opens
    // (the first control named by probe) and should close it.
    void RunCommand(UINT command, int probe, const std::function<void(HWND)>& action);
};

// The visible dialog that has a control probe, or null.
HWND FindDialogWith(int probe);

// Selects the entry of combo box id whose item data is data; false when none.
bool SelectByData(HWND dialog, int id, LPARAM data);
