// The project information page: the project block's texts, the same on every
// system of the project, in the first calculation tab.
#pragma once
#include "VlInterface/workspace/calctabs.h"

void ProjectInfoPage_GetPageInfo(CalcPageRecord* record);
INT_PTR CALLBACK ProjectInfoPage_DlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
