#pragma once
#define IDD_PAGE_NAME 600
#define IDD_PAGE_NUMBER 601
#define IDC_PAGE_NAME 602
#define IDC_PAGE_NUMBER 603
