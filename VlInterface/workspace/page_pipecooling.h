// The pipe cooling page: a flowing liquid's temperature change along the
// pipe or the cooling time of a stationary one, in the cooling tab of a pipe
// or duct.
#pragma once
#include "VlInterface/workspace/calctabs.h"

void PipeCoolingPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK PipeCoolingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
