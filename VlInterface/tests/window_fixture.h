// What the tests of the running shell share: the module started in this test
// program as the launcher would start it (texts from build/bin, the settings
// root of the program under "Any version", no about box at start), the main
// window, and helpers to answer dialogs and inspect the project.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TsBoxAnswerer;

class ShellWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the language texts of build/bin and takes the technical database
    // handles, as the module's attach does.
    static void OpenTexts();
    // Settings values written before the start.
    static void PresetInt(const char* section, const char* name, DWORD value);
    static void PresetString(const char* section, const char* name, const std::string& value);
    static std::string StoredString(const char* section, const char* name);

    // Initialises the module, creates the main window and runs the post-create
    // step with commandLine, as StartVelmoInsulation does.
    void Start(const char* commandLine = "");
    HWND window() const { return window_; }
    // Ends the program as its shutdown does (nothing saved) and starts it again.
    void Restart(const char* commandLine);

    // A file in the test's own temporary folder, which is removed afterwards.
    std::string TempPath(const char* name) const;
    // Creates a project file with one system and its three layer parts.
    static void MakeProjectFile(const std::string& path);
    // The same with its system a 114.3 mm pipe (or the given object kind) at
    // 150 °C in still air of 20 °C, the outermost product's surface reported.
    static void MakePipeProjectFile(const std::string& path, short geometry);
    // Makes a new system, deletes it, then deletes the only one left (which
    // is replaced), each question answered Yes; calls check on the two new
    // systems.
    void ForEachNewSystem(const std::function<void()>& check);
    // A choice in a combo box or a button click, as the user makes it.
    static void ChooseItem(HWND dialog, int id, const char* text);
    static void ClickButton(HWND dialog, int id);
    // Chooses system `index` in the selector's list as a click in it does.
    void ChooseSystem(int index) const;
    // Makes the open project count as changed since its last save.
    static void MakeProjectUnsaved();
    static bool ProjectUnsaved();

    // Whether the menu command / toolbar button is enabled.
    bool MenuEnabled(UINT id) const;
    bool ButtonEnabled(UINT id) const;
    bool SelectorEnabled() const;

private:
    void Stop();
    HWND window_ = nullptr;
    std::string folder_;
};

// One answer to a dialog box: the button to press and, for a file dialog,
// the file name to type first.
struct BoxAnswer {
    int button;
    std::string fileName;
};

// While alive, answers the dialog boxes of this thread in order with the
// given answers; records each box's caption and text. A box beyond the list
// is cancelled and counted as unexpected.
class ScriptedBoxes {
public:
    explicit ScriptedBoxes(std::vector<BoxAnswer> answers);
    ~ScriptedBoxes();
    std::vector<std::string> captions;
    std::vector<std::string> texts;
    std::vector<std::string> offeredNames;   // a file dialog's name as it opened, else ""
    std::vector<int> defaultButtons;         // the button Enter presses
    size_t unexpected = 0;
    size_t answered() const { return next_; }

private:
    std::vector<BoxAnswer> answers_;
    std::unique_ptr<TsBoxAnswerer> answerer_;
    size_t next_ = 0;
};
