// Ids of the company footer page.
#pragma once
#define IDD_PRINT_FOOTER        704
#define IDC_FOOTER_COMPANY      101
#define IDC_FOOTER_ADDRESS1     102
#define IDC_FOOTER_ADDRESS2     103
#define IDC_FOOTER_ADDRESS3     104
#define IDC_FOOTER_PHONE        105
#define IDC_FOOTER_FAX          106
#define IDC_FOOTER_EMAIL        107
#define IDC_FOOTER_WEB          108
#define IDC_FOOTER_COMPANY_LABEL 601
#define IDC_FOOTER_ADDRESS_LABEL 602
#define IDC_FOOTER_PHONE_LABEL  605
#define IDC_FOOTER_FAX_LABEL    606
#define IDC_FOOTER_EMAIL_LABEL  607
#define IDC_FOOTER_WEB_LABEL    608
