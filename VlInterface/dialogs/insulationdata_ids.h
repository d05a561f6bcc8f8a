// Ids of the user insulation data editor (8, Close, is shared with the
// weather data dialog).
#pragma once
#define IDD_INSULATION_DATA     5003
#define IDC_INS_NAME            101
#define IDC_INS_PRICE           102
#define IDC_INS_PER_METRE       103
#define IDC_INS_PER_SQUARE      104
#define IDC_INS_TEMPERATURE     105
#define IDC_INS_CONDUCTANCE     106
#define IDC_INS_TYPES           107
#define IDC_INS_POINTS          108
#define IDC_INS_TYPE_APPLY      201
#define IDC_INS_TYPE_EDIT       202
#define IDC_INS_TYPE_ADD        203
#define IDC_INS_TYPE_REMOVE     204
#define IDC_INS_POINT_APPLY     205
#define IDC_INS_POINT_EDIT      206
#define IDC_INS_POINT_ADD       207
#define IDC_INS_POINT_REMOVE    208
#define IDC_INS_TYPE_CANCEL     209
#define IDC_INS_POINT_CANCEL    210
#define IDC_INS_NAME_LABEL      601
#define IDC_INSDATA_PRICE_LABEL 602
#define IDC_INS_TYPE_GROUP      603
#define IDC_INS_POINT_GROUP     604
#define IDC_INS_TEMP_LABEL      605
#define IDC_INS_COND_LABEL      606
#define IDC_INS_TEMP_UNIT       607
#define IDC_INS_COND_UNIT       608
#define IDC_INS_SELECTED        701
#define IDC_EDITOR_CLOSE        8
