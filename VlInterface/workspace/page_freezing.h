// The freezing page: how long the standing water of an insulated pipe takes
// to start freezing and to freeze through, in the freezing tab.
#pragma once
#include "VlInterface/workspace/calctabs.h"

void FreezingPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK FreezingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
