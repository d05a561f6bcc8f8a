// Template and control ids of the project information page.
#pragma once

#define IDD_PROJECT_INFO        202

#define IDC_PI_PROJECT          101
#define IDC_PI_CUSTOMER         102
#define IDC_PI_REFERENCE        103
#define IDC_PI_ORIGINATED_BY    104
#define IDC_PI_SAVE_DATE        105
#define IDC_PI_ADDRESS1         106
#define IDC_PI_INFORMATION      107
#define IDC_PI_ADDRESS2         108
#define IDC_PI_PROJECT_LABEL    601
#define IDC_PI_CUSTOMER_LABEL   602
#define IDC_PI_REFERENCE_LABEL  603
#define IDC_PI_ORIGINATED_LABEL 604
#define IDC_PI_SAVE_DATE_LABEL  605
#define IDC_PI_ADDRESS_LABEL    606
#define IDC_PI_INFORMATION_LABEL 607
#define IDC_PI_LOGO             620
