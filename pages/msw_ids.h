// Control identifiers of the four memory switch pages (dialogs 129 to 132). Plain defines, so
// the resource script can include them too. IDC_MSWn_k names switch MSWn-k: a check box, or
// a radio pair whose first button (A) sets the bit to 0 and whose second (B) sets it to 1.
#pragma once

#define IDC_MSW1_COUNTRY 1010 // MSW1-1, 1-2 and 1-3 together
#define IDC_MSW1_4A 1017
#define IDC_MSW1_4B 1237
#define IDC_MSW1_5A 1016
#define IDC_MSW1_5B 1235
#define IDC_MSW1_6A 1008
#define IDC_MSW1_6B 1012
#define IDC_MSW1_7A 1011
#define IDC_MSW1_7B 1234
#define IDC_MSW1_8A 1014
#define IDC_MSW1_8B 1015

#define IDC_MSW2_1 1016
#define IDC_MSW2_2A 1017
#define IDC_MSW2_2B 1018
#define IDC_MSW2_3A 1019
#define IDC_MSW2_3B 1236
#define IDC_MSW2_4A 1023
#define IDC_MSW2_4B 1009
#define IDC_MSW2_5A 1020
#define IDC_MSW2_5B 1235
#define IDC_MSW2_6A 1021
#define IDC_MSW2_6B 1012
#define IDC_MSW2_7A 1022
#define IDC_MSW2_7B 1234
#define IDC_MSW2_8A 1024
#define IDC_MSW2_8B 1015

#define IDC_MSW3_1A 1031 // the LAN adapter, never shown
#define IDC_MSW3_1B 1237
#define IDC_MSW3_2A 1032
#define IDC_MSW3_2B 1018
#define IDC_MSW3_3A 1027
#define IDC_MSW3_3B 1236
#define IDC_MSW3_4A 1029
#define IDC_MSW3_4B 1009
#define IDC_MSW3_5A 1028
#define IDC_MSW3_5B 1235
#define IDC_MSW3_7 1026
#define IDC_MSW3_8A 1030
#define IDC_MSW3_8B 1015

#define IDC_MSW4_1A 1031
#define IDC_MSW4_1B 1237
#define IDC_MSW4_2A 1032
#define IDC_MSW4_2B 1018
#define IDC_MSW4_3A 1033
#define IDC_MSW4_3B 1236
#define IDC_MSW4_4A 1034
#define IDC_MSW4_4B 1009
#define IDC_MSW4_5A 1035
#define IDC_MSW4_5B 1235
#define IDC_MSW4_6A 1036
#define IDC_MSW4_6B 1012
#define IDC_MSW4_7A 1037
#define IDC_MSW4_7B 1234
#define IDC_MSW4_8A 1039
#define IDC_MSW4_8B 1015
