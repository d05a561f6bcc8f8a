// Ids of the dialog that the tooltip tests run.
#pragma once
#define IDD_TOOLTIP_TEST 900
#define IDC_TEST_LABEL 601
#define IDC_TEST_DESCRIBED 101
#define IDC_TEST_UNDESCRIBED 102
