// Resource ids of the image manager's test program. The pictures are made at
// build time by fixtures/make-image-fixtures.py, which describes them.
#pragma once

#define IDI_TEST_ALPHA 100
#define IDI_TEST_PLAIN 101
#define IDB_TEST_STRIP32 200
#define IDB_TEST_STRIP24 201
#define IDR_TEST_ALPHA_ICO_FILE 300
#define IDR_TEST_STRIP32_BMP_FILE 301
#define IDR_TEST_STRIP24_BMP_FILE 302
