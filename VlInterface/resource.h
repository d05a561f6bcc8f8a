// Resource and command ids of the interface module, shared by VlIntfc.rc and
// the code. The numbers of commands, child windows, dialogs, bitmaps, the icon
// and the accelerator table are fixed: other modules and stored data know them.
#pragma once
#include "extended/ids.h"   // the extended edition's own

// Dialogs, menus, accelerators, bitmaps, icon.
#define IDD_ABOUT            5
#define IDR_CLASS_MENU       1
#define IDR_ACCELERATORS     175
#define IDI_VARMELIN         206
#define IDB_LOGO             620
#define IDB_TOOLBAR          9900

// Controls of the about box.
#define IDC_ABOUT_VERSION    100
#define IDC_ABOUT_SHOWSTART  101
#define IDC_ABOUT_LABEL      601
#define IDC_ABOUT_TEXT       602
#define IDC_ABOUT_RIGHTS     603
#define IDC_LOGO             620
#define IDC_DIALOG_HELP      9

// Child windows of the main window.
#define IDC_SYSTEM_COMBO     190
#define IDC_TOOLBAR          191
#define IDC_STATUSBAR        192
#define IDT_KEY_STATES       193
#define IDC_CALC_TABS        194

// Commands.
#define IDM_FILE_NEW         501
#define IDM_FILE_OPEN        502
#define IDM_FILE_SAVE        503
#define IDM_FILE_SAVEAS      504
#define IDM_FILE_CLOSE       505
#define IDM_FILE_PRINT       506
#define IDM_FILE_EXIT        508
#define IDM_LANGUAGE         509
#define IDM_HELP_CONTENTS    521
#define IDM_HELP_ABOUT       523
#define IDM_RECENT_FIRST     540
#define IDM_RECENT_LAST      547
#define IDM_SYSTEM_NEW       548
#define IDM_SYSTEM_DELETE    549
#define IDM_SYSTEM_COPY      550
#define IDM_WEATHER_DATA     551
#define IDM_USER_INSULATION  552
#define IDM_SETTINGS         553
#define IDM_NOTHING          590
#define IDM_NEXT_TAB         40010
#define IDM_PREVIOUS_TAB     40011
#include "workspace/page_projectinfo_ids.h"
#include "workspace/page_target_ids.h"
#include "workspace/page_insulation_ids.h"
#include "workspace/thickness_dialog_ids.h"
#include "workspace/annual_costs_ids.h"
#include "workspace/timepage_ids.h"
#include "workspace/page_pipecooling_ids.h"
#include "workspace/page_tank_ids.h"
#include "workspace/page_freezing_ids.h"

// The shell dialogs, one header each.
#include "dialogs/settingsdlg_ids.h"
#include "dialogs/printsheet_ids.h"
#include "dialogs/page_printsel_ids.h"
#include "dialogs/page_footer_ids.h"
#include "dialogs/page_fonts_ids.h"
#include "dialogs/insulationdata_ids.h"
#include "dialogs/weatherdlg_ids.h"
