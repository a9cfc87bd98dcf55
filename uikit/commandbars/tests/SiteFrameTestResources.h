// Ids of the site-frame test resources.
#pragma once

#define IDR_SITE_FRAME 3300
#define IDR_SF_STANDARD 3301
#define IDR_SF_LISTS 3302

#define ID_SF_OPEN 3401
#define ID_SF_DISABLED 3402
#define ID_SF_CHECKED 3403
#define ID_SF_CUT 3404
#define ID_SF_RENAMED 3405
#define ID_SF_UNHANDLED 3406
#define ID_SF_CUSTOMIZE 35001
