// Resource ids of VlUtil.dll, shared by VlUtil.rc and the code.
#pragma once
#define IDD_ERRORS 209
#define IDC_ERROR_LIST 101
