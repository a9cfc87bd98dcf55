#pragma once
#define IDS_HELLO 101
#define IDS_FORMAT 102
#define IDS_LONG 103
