// Small functions on dialog items, menus and window texts.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

// Gives the focus to dialog item id.
void Dlg_FocusItem(HWND dialog, int id);

// Enables or disables dialog item id; does nothing when it already is so.
void Dlg_EnableItem(HWND dialog, int id, bool enable);

// Disables every child window of window (and their children).
void Dlg_DisableChildren(HWND window);
// Enables again the children that Dlg_DisableChildren disabled, so that a
// page kept between systems shows each as a new page would.
void Dlg_RestoreChildren(HWND window);

// Empties combo box id.
void Combo_Reset(HWND dialog, int id);

// Selects item 0 of combo box id when nothing is selected and returns -1;
// returns 0 when an item was selected.
int Combo_EnsureSelection(HWND dialog, int id);

// A UTF-8 text as UTF-16: the A calls carry UTF-8, while GDI's A calls would
// read it in the font's code page.
std::wstring Dlg_Wide(const char* text);

// A device context of window with window's own font selected, released when
// it goes.
class Dlg_FontDc {
public:
    explicit Dlg_FontDc(HWND window);
    ~Dlg_FontDc();
    Dlg_FontDc(const Dlg_FontDc&) = delete;
    Dlg_FontDc& operator=(const Dlg_FontDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ old_;
};

// Width in pixels of a UTF-8 text on one line in control's own font.
int Dlg_TextWidth(HWND control, const char* text);

// The widest of the texts, measured as Dlg_TextWidth does, with one device
// context for all.
int Dlg_WidestTextWidth(HWND control, const std::vector<std::string>& texts);

// A UTF-8 text shows whole in control's client area, broken at words as a
// left-aligned static control breaks it (one line when the control has room
// for one only).
bool Dlg_TextFits(HWND control, const char* text);

// EnableMenuItem on the window's menu with MF_ flags (by command unless
// MF_BYPOSITION is given).
void Menu_EnableItem(HWND window, UINT id, UINT flags);

// Sets the window text to "first - second".
void Wnd_SetTitle(HWND window, const char* first, const char* second);

// Centres a window over its owner (the work area when it has none), kept
// whole on the owner's work area.
void Wnd_CenterOnOwner(HWND window);

// Keeps a step from running inside itself (a control that notifies while it
// is filled or read): sets flag while alive; entered() is false when the
// flag was set already.
class ReentryGuard {
public:
    explicit ReentryGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~ReentryGuard()
    {
        if (entered_)
            flag_ = false;
    }
    bool entered() const { return entered_; }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

private:
    bool& flag_;
    bool entered_;
};

// The low and high 16 bits of a message parameter.
uint16_t Msg_LoWord(DWORD_PTR value);
uint16_t Msg_HiWord(DWORD_PTR value);
