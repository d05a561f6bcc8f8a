// Template and control ids of the pipe cooling page (buttons and result
// lines: timepage_ids.h).
#pragma once

#define IDD_PIPECOOLING           146

#define IDC_PC_CONTENTS           101
#define IDC_PC_CONTENTS_HEATCAP   102
#define IDC_PC_CONTENTS_DENSITY   103
#define IDC_PC_BY_MASS            104
#define IDC_PC_BY_VOLUME          105
#define IDC_PC_BY_VELOCITY        106
#define IDC_PC_MASS_FLOW          107
#define IDC_PC_VOLUME_FLOW        108
#define IDC_PC_VELOCITY           109
#define IDC_PC_PIPE_HEATCAP       110
#define IDC_PC_PIPE_DENSITY       111
#define IDC_PC_FINAL_TEMP         112
#define IDC_PC_FLOWING            113
#define IDC_PC_STATIONARY         114
#define IDC_PC_LENGTH             115
#define IDC_PC_CONTENTS_LABEL     601
#define IDC_PC_CONTENTS_HEATCAP_LABEL 602
#define IDC_PC_CONTENTS_DENSITY_LABEL 603
#define IDC_PC_PIPE_HEATCAP_LABEL 610
#define IDC_PC_PIPE_DENSITY_LABEL 611
#define IDC_PC_FINAL_TEMP_LABEL   612
#define IDC_PC_LENGTH_LABEL       615
#define IDC_PC_RESULTS_GROUP      690
#define IDC_PC_CONTENTS_HEATCAP_UNIT 702
#define IDC_PC_CONTENTS_DENSITY_UNIT 703
#define IDC_PC_MASS_FLOW_UNIT     707
#define IDC_PC_VOLUME_FLOW_UNIT   708
#define IDC_PC_VELOCITY_UNIT      709
#define IDC_PC_PIPE_HEATCAP_UNIT  710
#define IDC_PC_PIPE_DENSITY_UNIT  711
#define IDC_PC_FINAL_TEMP_UNIT    712
#define IDC_PC_LENGTH_UNIT        715
