#pragma once
#define IDS_WHOSE_MODULE 401  // the test library has another text under this id
#define IDS_TOOL_TIP 402

#define IDD_SETTINGS 300
#define IDC_COUNT 301
#define IDC_PORT 302
#define IDC_NAME 303
#define IDC_ENABLED 304
#define IDC_MODE_A 305
#define IDC_MODE_B 306
#define IDC_MODE_C 307
#define IDC_KIND 308
#define IDC_AMOUNT 309
