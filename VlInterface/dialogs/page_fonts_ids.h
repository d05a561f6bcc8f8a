// Ids of the report fonts page.
#pragma once
#define IDD_PRINT_FONTS         702
#define IDC_FONT1_CHANGE        201
#define IDC_FONT2_CHANGE        202
#define IDC_FONT3_CHANGE        203
#define IDC_FONTS_DEFAULTS      204
#define IDC_FONT1_SAMPLE        301
#define IDC_FONT2_SAMPLE        302
#define IDC_FONT3_SAMPLE        303
#define IDC_FONT1_LABEL         601
#define IDC_FONT2_LABEL         602
#define IDC_FONT3_LABEL         603
