#pragma once
#define IDR_MAINFRAME 128
#define IDD_SETUP 131
#define IDC_BROWSE 1001
#define IDC_HOSTDIR 1005
#define IDC_LAUNCH 1008
