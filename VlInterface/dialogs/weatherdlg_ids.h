// Ids of the weather data dialog.
#pragma once
#define IDD_WEATHER_DATA        161
#define IDC_WD_NAME             101
#define IDC_WD_TEMPERATURE      102
#define IDC_WD_VELOCITY         103
#define IDC_WD_LOCATIONS        104
#define IDC_WD_APPLY            201
#define IDC_WD_EDIT             202
#define IDC_WD_ADD              203
#define IDC_WD_REMOVE           204
#define IDC_WD_CANCEL_EDIT      999
#define IDC_WD_NAME_LABEL       601
#define IDC_WD_TEMP_LABEL       602
#define IDC_WD_VELOCITY_LABEL   603
#define IDC_WD_EDIT_GROUP       604
#define IDC_WD_TEMP_UNIT        605
#define IDC_WD_VELOCITY_UNIT    606
