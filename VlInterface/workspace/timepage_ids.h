// Control ids that the cooling, tank and freezing pages share.
#pragma once

#define IDC_TP_CALCULATE          201
#define IDC_TP_PRINT              204
#define IDC_TP_COPY               205
#define IDC_TP_RESULT1            650
#define IDC_TP_RESULT2            651
