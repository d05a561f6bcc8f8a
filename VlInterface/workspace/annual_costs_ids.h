// Ids of the annual costs dialog (149).
#pragma once

#define IDD_ANNUAL_COSTS       149
#define IDC_COST_INPUT1        101   // 101..105 the five economic inputs
#define IDC_COST_LABEL1        601   // 601..605 their labels
#define IDC_COST_UNIT1         701   // 701..705 their units
#define IDC_COST_RESULTS       606
#define IDC_COST_RESULT1       607   // 607..609 investment, energy, total
#define IDC_COST_CALCULATE     201
