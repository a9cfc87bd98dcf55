// Ids of the tool-bar test resources.
#pragma once

#define IDR_TB_STANDARD 3100
#define IDR_TB_LARGE 3101
#define IDR_TB_NO_BITMAP 3102
#define IDR_TB_TRUNCATED 3103
#define IDR_TB_MISSING 3199

#define ID_TB_OPEN 3201
#define ID_TB_DISABLED 3202
#define ID_TB_CHECKED 3203

// Buttons the keyboard tests caption themselves (no strings, no pictures).
#define ID_TB_CAPTION_FIRST 3301
