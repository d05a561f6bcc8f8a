// Message boxes of the module. Every box has the application title as its
// caption; a box without owner is task-modal; the window that had the focus
// before the box gets it back afterwards.
#pragma once
#include <windows.h>

// Bytes of the text MsgBox_Printf formats (longer texts are cut).
constexpr int kMsgBoxPrintfSize = 544;

// Shows text with the given MessageBox flags; returns the box result.
int MsgBox_Show(HWND owner, const char* text, UINT flags);

int MsgBox_Info(HWND owner, const char* text);         // information icon, OK
int MsgBox_OkCancel(HWND owner, const char* text);     // question icon, OK and Cancel
int MsgBox_YesNo(HWND owner, const char* text);        // question icon, Yes and No
int MsgBox_YesNoCancel(HWND owner, const char* text);  // question icon, Yes, No and Cancel

// Formats like printf into kMsgBoxPrintfSize bytes (cut on a character
// boundary when longer) and shows it as information.
int MsgBox_Printf(HWND owner, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Replaces the four button captions (OK, Cancel, Yes, No) with at most 30
// bytes of each text; NULL gives an empty caption.
void MsgBox_SetButtonTexts(const char* ok, const char* cancel, const char* yes, const char* no);
