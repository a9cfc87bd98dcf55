// Resource ids of the resource manager's test program.
#pragma once

#define IDS_TEST_GREETING 101
#define IDS_TEST_QUESTION 102
#define IDD_TEST_DIALOG 200
#define IDR_TEST_TOOLBAR 300
#define IDR_TEST_BROKEN_TOOLBAR 301
#define IDR_TEST_MENU 400
#define ID_TEST_OPEN 0x802B
#define ID_TEST_SAVE 0x802C
