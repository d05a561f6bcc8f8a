// Template and control ids of the insulation target page.
#pragma once

#define IDD_TARGET                5005

#define IDC_TG_DESCRIPTION        101
#define IDC_TG_PLANE              102
#define IDC_TG_PIPE               103
#define IDC_TG_ROUND_DUCT         104
#define IDC_TG_DUCT_DIAMETER      105
#define IDC_TG_RECT_DUCT          106
#define IDC_TG_WIDTH              107
#define IDC_TG_HEIGHT             108
#define IDC_TG_LABOUR_PRICE       109
#define IDC_TG_LOCATION           110
#define IDC_TG_CONTENTS_TEMP      111
#define IDC_TG_AMBIENT_TEMP       112
#define IDC_TG_HUMIDITY           113
#define IDC_TG_AIR_VELOCITY       114
#define IDC_TG_PIPE_DIAMETER      115
#define IDC_TG_TARGET_HUMIDITY    116   // extended edition
#define IDC_TG_SURFACE            117
#define IDC_TG_ANNUAL_COSTS       202
#define IDC_TG_DESCRIPTION_LABEL  601
#define IDC_TG_DUCT_DIAMETER_LABEL 605
#define IDC_TG_WIDTH_LABEL        607
#define IDC_TG_HEIGHT_LABEL       608
#define IDC_TG_LABOUR_PRICE_LABEL 609
#define IDC_TG_LOCATION_LABEL     610
#define IDC_TG_CONTENTS_TEMP_LABEL 611
#define IDC_TG_AMBIENT_TEMP_LABEL 612
#define IDC_TG_HUMIDITY_LABEL     613
#define IDC_TG_AIR_VELOCITY_LABEL 614
#define IDC_TG_PIPE_DIAMETER_LABEL 615
#define IDC_TG_TARGET_HUMIDITY_LABEL 616   // extended edition
#define IDC_TG_SURFACE_LABEL      617
#define IDC_TG_OBJECT_GROUP       690
#define IDC_TG_CONTENTS_GROUP     691
#define IDC_TG_AMBIENT_GROUP      694
#define IDC_TG_DUCT_DIAMETER_UNIT 705
#define IDC_TG_WIDTH_UNIT         707
#define IDC_TG_HEIGHT_UNIT        708
#define IDC_TG_LABOUR_PRICE_UNIT  709
#define IDC_TG_CONTENTS_TEMP_UNIT 711
#define IDC_TG_AMBIENT_TEMP_UNIT  712
#define IDC_TG_HUMIDITY_UNIT      713
#define IDC_TG_AIR_VELOCITY_UNIT  714
#define IDC_TG_PIPE_DIAMETER_UNIT 715
