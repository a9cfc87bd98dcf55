// Resource identifiers of the common layer's dialogs (ModuleCommon.rc, linked
// into every module).
#pragma once

#define IDD_FREE_TV_WINDOW 1000
#define IDD_FULLSCREEN 2000
#define IDD_FILTER_PREFERENCES 2001

#define IDC_BOB_MODE 2001
#define IDC_VIDEO_DECODER 2002
#define IDC_AUDIO_DECODER 2003
#define IDC_VIDEO_RENDERER 2004

// The CAM menu dialog (CAMMenuDialog.h).
#define IDD_CAM_MENU 1001
#define IDC_CAM_CLOSE 1014
#define IDC_CAM_SLOT 1047
#define IDC_CAM_SEND 1053
#define IDC_CAM_CANCEL_ENQUIRY 1143
#define IDC_CAM_ANSWER 1152
#define IDC_CAM_DIGIT0 1202  // digits 0 to 9: 1202 to 1211
#define IDC_CAM_DIGIT9 1211
#define IDC_CAM_OK 1212
#define IDC_CAM_LIST 1213
#define IDC_CAM_STATUS 1214
