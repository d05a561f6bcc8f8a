// Control ids of the insulation calculation page (dialog 5004). The ids are
// the page's interface: tests and the layer routines address them by number.
#pragma once

#define IDD_INSULATION_PAGE        5004

#define IDC_INS_SURFACE            115
#define IDC_INS_EMISSIVITY         116
#define IDC_INS_PRODUCT1           119   // 119..121 products of layers 1..3
#define IDC_INS_INNER1             122   // 122..124 inner diameters
#define IDC_INS_OUTER1             125   // 125..127 outer diameters
#define IDC_INS_NOMINAL1           128   // 128..130 nominal thickness lists
#define IDC_INS_CONDUCTIVITY1      131   // 131..133
#define IDC_INS_THICKNESS1         134   // 134..136
#define IDC_INS_CASE_ECONOMIC      137
#define IDC_INS_CASE_HEATLOSS      138
#define IDC_INS_CASE_SURFACETEMP   139
#define IDC_INS_CASE_CONDENSATION  140
#define IDC_INS_CASE_RESULTS       141
#define IDC_INS_PRICE1             142   // 142..144
#define IDC_INS_ALLOWED_HEATLOSS   145
#define IDC_INS_ALLOWED_SURFACE    146
#define IDC_INS_TOTAL_THICKNESS    147   // extended edition, read-only
#define IDC_INS_DESCRIPTION        148   // extended edition: the insulated object
#define IDC_INS_CONDENSATION_HUMIDITY 149   // extended edition, read-only: the target page's humidity
#define IDC_INS_THICKNESS_TABLE    201
#define IDC_INS_CALCULATE          203
#define IDC_INS_PRINT              204
#define IDC_INS_COPY               205
#define IDC_INS_CHEAPEST           206   // extended edition
#define IDC_INS_RESULT1            650   // 650..653 result lines
#define IDC_INS_SURFACE_LABEL      615
#define IDC_INS_EMISSIVITY_LABEL   616
#define IDC_INS_TOTAL_LABEL        617   // extended edition
#define IDC_INS_PRODUCTS_LABEL     619
#define IDC_INS_INNER_LABEL        622
#define IDC_INS_OUTER_LABEL        625
#define IDC_INS_NOMINAL_LABEL      628
#define IDC_INS_CONDUCTIVITY_LABEL 631
#define IDC_INS_THICKNESS_LABEL    634
#define IDC_INS_PRICE_LABEL        635
#define IDC_INS_HEATLOSS_UNIT      706
#define IDC_INS_SURFACE_UNIT       710
#define IDC_INS_HUMIDITY_UNIT      712   // extended edition
#define IDC_INS_DATA_FRAME         691
#define IDC_INS_RESULTS_FRAME      692
#define IDC_INS_CASE_FRAME         693
