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
