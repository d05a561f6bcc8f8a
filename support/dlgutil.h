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

// Text crosses between the program's UTF-8 and the windows' UTF-16 here and
// nowhere else: windows are Unicode, so a letter typed in any language reaches
// the program whole whatever the code page.

// A UTF-8 text as UTF-16 (NULL gives ""); for a W call whose text is built here.
std::wstring Dlg_Wide(const char* text);

// A UTF-16 text as UTF-8; length in WCHARs, -1 for a terminated text.
std::string Dlg_Narrow(const wchar_t* text, int length = -1);

// Copies a UTF-8 text as UTF-16 into a buffer of size WCHARs (a notification
// that asks for text), cut on a character and terminated.
void Dlg_CopyWide(wchar_t* buffer, int size, const char* text);

// Makes edit control take no typed, pasted, input-method or EM_REPLACESEL
// text that would make its text longer than maxBytes in UTF-8, as
// EM_LIMITTEXT does for characters: a beep and the text unchanged, a paste
// cut on a whole letter to what fits. WM_SETTEXT is the program's own text
// and is not checked. Called again, the new limit replaces the old.
void Edit_LimitBytes(HWND edit, int maxBytes);

// Sets and reads the text of a window or control.
void Wnd_SetText(HWND window, const char* text);
std::string Wnd_GetText(HWND window);
void Dlg_SetItemText(HWND dialog, int id, const char* text);
std::string Dlg_GetItemText(HWND dialog, int id);
// Copies at most size - 1 bytes of the item's text (never half a character)
// into buffer and terminates it.
void Dlg_GetItemText(HWND dialog, int id, char* buffer, int size);

// Sends a message whose lParam is a text (WM_SETTEXT, CB_ADDSTRING,
// CB_INSERTSTRING, CB_FINDSTRINGEXACT, CB_SELECTSTRING, LB_ADDSTRING,
// LB_SELECTSTRING, SB_SETTEXTW ...) with the text as UTF-16.
LRESULT Wnd_SendText(HWND window, UINT message, WPARAM wParam, const char* text);

// The text of item index of a list or combo box (lengthMessage
// LB_GETTEXTLEN or CB_GETLBTEXTLEN, textMessage LB_GETTEXT or CB_GETLBTEXT);
// "" for an item that is not there.
std::string Wnd_ItemText(HWND list, UINT lengthMessage, UINT textMessage, WPARAM index);

// MessageBox with UTF-8 text and caption (caption NULL: the system's own).
int Wnd_MessageBox(HWND owner, const char* text, const char* caption, UINT flags);

// Tab control items with a UTF-8 text and an lParam: insert at index, set,
// and read (text and param each when not NULL); read gives false for an item
// that is not there.
void Tab_InsertItem(HWND tabs, int index, const char* text, LPARAM param);
void Tab_SetItem(HWND tabs, int index, const char* text, LPARAM param);
bool Tab_GetItem(HWND tabs, int index, std::string* text, LPARAM* param);

// List view columns, rows and cells by UTF-8 text; a row's lParam is param.
void Lv_AddColumn(HWND list, int index, const char* text, int width, int format);
int Lv_AddRow(HWND list, int row, const char* text, LPARAM param);
void Lv_SetCell(HWND list, int row, int column, const char* text);

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

// Appends item to the end of menu with a UTF-8 caption (the item's
// dwTypeData); false when the menu refused it.
bool Menu_AppendItem(HMENU menu, MENUITEMINFOW item, const char* caption);

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
