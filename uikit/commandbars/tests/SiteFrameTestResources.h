// Ids of the site-frame test resources.
#pragma once

#define IDR_SITE_FRAME 3300
#define IDR_SF_STANDARD 3301
#define IDR_SF_LISTS 3302
#define IDR_SF_MENU 3303

#define ID_SF_OPEN 3401
#define ID_SF_DISABLED 3402
#define ID_SF_CHECKED 3403
#define ID_SF_CUT 3404
#define ID_SF_RENAMED 3405
#define ID_SF_UNHANDLED 3406
#define ID_SF_CUSTOMIZE 35001

// The menu's commands, each handled by the site frame.
#define ID_SF_MENU_FIRST 3420
#define ID_SF_NEW 3420
#define ID_SF_SAVE 3421
#define ID_SF_EXIT 3422
#define ID_SF_COPY 3423
#define ID_SF_PASTE 3424
#define ID_SF_FIND 3425
#define ID_SF_FAVOURITES 3426
#define ID_SF_STATUS_BAR 3427
#define ID_SF_SORT_NAME 3428
#define ID_SF_SORT_FREQUENCY 3429
#define ID_SF_SCAN 3430
#define ID_SF_TRANSPONDER_LIST 3431
#define ID_SF_ABOUT 3432
#define ID_SF_MENU_LAST 3432
