// The tank page: how long the contents of an insulated vessel take to reach
// a final temperature, in the cooling tab of a plane surface or vessel.
#pragma once
#include "VlInterface/workspace/calctabs.h"

void VesselCoolingPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK VesselCoolingPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
