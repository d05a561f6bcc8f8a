// Tooltips over a dialog's controls, in the current interface language. The
// texts come from the dialog's text table (the one that translates it) and
// are fetched when a tooltip is about to show, so a language change shows at
// once. A module that uses these links the language text library.
#pragma once
#include <windows.h>

struct DialogTextTable;

// Offer every message of a dialog here first; the dialog procedure goes on
// with its own handling afterwards. Creates the tooltip on WM_INITDIALOG and
// answers the tooltip's text requests; ignores every other message.
void Tooltip_HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                 short textHandle, const DialogTextTable* table);

// Creates the dialog's tooltip control and adds a tool for every child that
// is not a static text and whose control id has a row in table. Returns 1
// when the tooltip was created and the children enumerated, 0 for a NULL
// dialog or table or when the control cannot be created.
int Tooltip_Create(HWND dialog, short textHandle, const DialogTextTable* table);

// Hides the tooltip that shows over one of dialog's controls, as after a
// choice in a drop-down list, when the pointer has not left the control.
void Tooltip_Hide(HWND dialog);
