// Ids of the settings dialog.
#pragma once
#define IDD_SETTINGS            5002
#define IDC_SET_INTERFACE_LNG   101
#define IDC_SET_PRINT_LNG       102
#define IDC_SET_COUNTRY         103
#define IDC_SET_PRICE_LIST      104
#define IDC_SET_INTERFACE_LABEL 601
#define IDC_SET_PRINT_LABEL     602
#define IDC_SET_COUNTRY_LABEL   603
#define IDC_SET_PRICE_LABEL     604
