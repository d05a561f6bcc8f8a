// Resource and command ids of the document viewer.
#pragma once

#define IDA_VIEWER          100

#define IDM_PRINT           201
#define IDM_PREVIOUS        202
#define IDM_NEXT            203
#define IDM_FIRST           204
#define IDM_LAST            205
#define IDM_CLOSE           206

#define IDC_TOOLBAR         301
#define IDC_ZOOM            302
#define IDC_PAGEVIEW        303
#define IDC_STATUS          304
