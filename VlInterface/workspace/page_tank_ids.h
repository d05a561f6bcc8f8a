// Template and control ids of the tank page (buttons and result line:
// timepage_ids.h).
#pragma once

#define IDD_TANK                  148

#define IDC_TK_CYLINDER           101
#define IDC_TK_RECTANGLE          102
#define IDC_TK_SIDE1              103
#define IDC_TK_SIDE2              104
#define IDC_TK_HEIGHT             105
#define IDC_TK_BOTTOM             106
#define IDC_TK_CONTENTS           107
#define IDC_TK_CONTENTS_HEATCAP   108
#define IDC_TK_CONTENTS_DENSITY   109
#define IDC_TK_FINAL_TEMP         110
#define IDC_TK_SIDE1_LABEL        603
#define IDC_TK_SIDE2_LABEL        604
#define IDC_TK_HEIGHT_LABEL       605
#define IDC_TK_CONTENTS_LABEL     607
#define IDC_TK_CONTENTS_HEATCAP_LABEL 608
#define IDC_TK_CONTENTS_DENSITY_LABEL 609
#define IDC_TK_FINAL_TEMP_LABEL   610
#define IDC_TK_VESSEL_GROUP       690
#define IDC_TK_RESULTS_GROUP      691
#define IDC_TK_CONTENTS_GROUP     692
#define IDC_TK_SIDE1_UNIT         703
#define IDC_TK_SIDE2_UNIT         704
#define IDC_TK_HEIGHT_UNIT        705
#define IDC_TK_CONTENTS_HEATCAP_UNIT 708
#define IDC_TK_CONTENTS_DENSITY_UNIT 709
#define IDC_TK_FINAL_TEMP_UNIT    710
