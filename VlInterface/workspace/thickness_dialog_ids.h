// Ids of the insulation thickness selection dialog (160).
#pragma once

#define IDD_THICKNESS_DIALOG   160
#define IDC_THK_HEADING        101
#define IDC_THK_LIST           109
#define IDC_THK_DESCRIPTION    110   // extended edition: the insulated object
#define IDC_THK_PRINT          202
#define IDC_THK_COPY           203
#define IDC_THK_LABEL          601
#define IDC_THK_LOGO           620
