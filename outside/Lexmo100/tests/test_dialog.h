// Ids of the dialog the translation test opens.
#pragma once
#define IDD_TRANSLATE_TEST 100
#define IDC_TEST_LABEL 601
#define IDC_TEST_CHECK 101
