#pragma once
#define IDD_MAIN 100
#define IDC_CHANNEL 101
#define IDC_TITLE 102
#define IDC_RECORD 103
#define IDC_AUTO 104
#define IDC_LOG 105
#define IDC_CHANNELS 106
