// Resources of the resizable dialog's tests.
#pragma once

#define IDD_RESIZE_TEST 200
#define IDD_FIXED_TEST 201
#define IDC_RT_NAME 1001
#define IDC_RT_MIDDLE 1002
#define IDC_RT_LIST 1003
#define IDC_RT_GROUP 1004
#define IDC_RT_TABGROUP 1005
#define IDC_RT_TWICE 1006
#define IDC_RT_DOWN 1007
