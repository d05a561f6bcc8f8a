// Ids of the print dialog sheet.
#pragma once
#define IDD_PRINT_SHEET         5001
#define IDC_SHEET_TABS          990
#define IDC_SHEET_PRINT         201
