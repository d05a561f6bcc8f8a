// Resource, control and text ids of the extended edition, included by
// extended.rc and the extended sources. Bitmap and control ids are fixed.
#pragma once

// The start-up window (about box) of the extended edition and its bitmaps.
#define IDD_ABOUT_EXTENDED   630
#define IDC_EXT_ABOUT_EMBLEM 220
#define IDC_EXT_ABOUT_MARK   226
#define IDC_EXT_ABOUT_TAGLINE 227   // what the program is, in the interface language

// Logo bitmaps.
#define IDB_EXT_LOGO_LARGE   225
#define IDB_EXT_LOGO_SMALL   231
#define IDB_EXT_STANDARD     224
#define IDB_EXT_TOOLBAR_LOGO 234

// Logo controls in dialogs, and the bitmap control on the toolbar.
#define IDC_EXT_LOGO_LARGE   1072
#define IDC_EXT_LOGO_SMALL   1109
#define IDC_EXT_STANDARD     1108
#define IDC_EXT_TOOLBAR_LOGO 196

// Texts of the extended edition's labels: the print selection's spreadsheet
// output (610), relative humidity (616), total insulation thickness (617),
// the cheapest-combination command and its message when nothing has a cost.
#define IDS_EXT_SPREADSHEET_OUTPUT 45260
#define IDS_EXT_RELATIVE_HUMIDITY  45261
#define IDS_EXT_TOTAL_THICKNESS    45262
#define IDS_EXT_CHEAPEST           45264
#define IDS_EXT_NOTHING_COSTED     45265
#define IDS_EXT_TAGLINE            45274
