// What the installer knows of the host application's installation.
#pragma once

#define HOST_APP_PATHS_KEY "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\KorvApp.exe"
#define HOST_APP_PATHS_VALUE "Path"
#define HOST_EXE_NAME "KorvApp.exe"
#define HOST_DATA_NAME "KorvApp.dat"
#define HOST_WINDOW_CLASS "KorvAppClass"

#define HOST_DATA_SECTION "VERSION"
#define HOST_KEY_VERSION "VersionInfo"
#define HOST_KEY_SLX "SLXInfo"
#define HOST_KEY_OEM "OemKVSF"
#define HOST_VERSION_DEFAULT 260
#define HOST_VERSION_BUSINESS 42
#define HOST_SLX_NOT_BUSINESS 1
#define HOST_OEM_NOT_BUSINESS 10510

#define HOST_REG_BUFFER 260

#define MSG_HOST_NOT_INSTALLED \
  "Korvelin is not installed in your computer! Please install it and try again."
#define MSG_BUSINESS_NOT_INSTALLED \
  "Korvelin Business is not installed in your computer! Please install it and try again."
#define MSG_HOST_NOT_IN_FOLDER \
  "Korvelin is not installed in this folder. Please select appropriate folder and try again."
