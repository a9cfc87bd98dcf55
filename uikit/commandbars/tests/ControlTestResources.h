// Resource ids of the control tests.
#pragma once

#define IDS_TEST_OPEN 4001   // a description, a newline, a tooltip
#define IDS_TEST_PLAIN 4002  // one text for both
#define IDR_TEST_EDIT_MENU 4100
#define ID_TEST_CUT 4101
#define ID_TEST_COPY 4102
