// Ids of the print selection page.
#pragma once
#define IDD_PRINT_SELECTION     701
#define IDC_PSEL_SYSTEMS        101
#define IDC_PSEL_PREVIEW        107
#define IDC_PSEL_CLIPBOARD      108
#define IDC_PSEL_SPREADSHEET    109   // extended edition
#define IDC_PSEL_MARK_ALL       207
#define IDC_PSEL_UNMARK_ALL     208
#define IDC_PSEL_SYSTEMS_LABEL  601
#define IDC_PSEL_SECTIONS_GROUP 602
#define IDC_PSEL_OUTPUT_GROUP   606
#define IDC_PSEL_HEATLOSS       1105
#define IDC_PSEL_COOLING        1065
#define IDC_PSEL_FREEZING       1066
#define IDC_PSEL_COSTS          1067
