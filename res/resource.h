// Resource and control ids shared by the resource scripts and the code; plain defines so that
// the resource compiler reads them too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_QUESTION 103
#define IDD_MESSAGE 104
#define IDD_CALLOUT 151

#define IDI_APPLICATION_ICON 128
#define IDI_PLAYER_ATTACHED 156
#define IDI_PLAYER_DETACHED 157

#define IDB_PLUS_SIGN 149
#define IDB_TAB_STRIP 151
#define IDB_BUTTON_STRIP 152
#define IDB_DOT_ON 153
#define IDB_DOT_OFF 154
#define IDB_START_SCREEN 155
#define IDB_NOTICE 158
#define IDB_QUESTION 159
#define IDB_WARNING 160
#define IDB_PROGRESS 161
#define IDB_LOGO 162
#define IDB_PROGRESS_DOTS 163
#define IDB_DEVICE_SMALL 164

#define IDC_LINK 1018
#define IDC_ABOUT_PRODUCT 1020
#define IDC_ABOUT_LEGAL 1021
#define IDC_ABOUT_VERSION 1022
#define IDC_PICTURE 1023
#define IDC_TEXT 1024
#define IDC_SECOND_LINE 1025
#define IDC_PLUS_SIGN 1029
#define IDC_LEFT_KEY 1031
#define IDC_RIGHT_KEY 1032
#define IDC_CALLOUT_TEXT 1035
#define IDC_CALLOUT_YES 1036
#define IDC_CALLOUT_CANCEL 1037
