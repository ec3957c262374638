// Control identifiers of the function selection page (dialog 134). Plain defines, so the
// resource script can include them too.
#pragma once

#define IDC_SEL_SHEET_GUIDE_AUTO 1012
#define IDC_SEL_GOTHIC 1015
#define IDC_SEL_SHEET_GUIDE_LEFT 1043
#define IDC_SEL_MINCHO 1044
#define IDC_SEL_PAPER_THICKNESS 1045
#define IDC_SEL_PRESSURE 1046
#define IDC_SEL_PRINT_POSITION 1047
#define IDC_SEL_AUTO_POS_ADJUST 1048
#define IDC_SEL_FORM 1056
#define IDC_SEL_REDUCTION 1057
#define IDC_SEL_COPY_STRENGTH 1058
#define IDC_SEL_FORM_SETTINGS 1002
