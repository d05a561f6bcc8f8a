// The insulation target page: the insulated object, its dimensions, the
// contents and the ambient air, in the second calculation tab.
#pragma once
#include "VlInterface/workspace/calctabs.h"

void TargetPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK TargetPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
