// Resource identifiers of zrsetup, shared by the resource script and the code.
#pragma once

// Dialogs
#define IDD_WELCOME 101
#define IDD_FINISHED 102
#define IDD_SHORTCUT_SCOPE 107
#define IDD_FOLDERS 111
#define IDD_OLDER_VERSION 121

// Icon groups are named, not numbered: "IDI_ICON1" (the executable's icon,
// the first group) and "IDI_ZRICON".

// Bitmaps
#define IDB_BANNER 104
#define IDB_WELCOME_STRIP 105
#define IDB_FINISHED_STRIP 106

// The payload archive, resource type "BIN"
#define IDR_PAYLOAD 103

// Controls
#define IDC_CHOICE_FIRST 108
#define IDC_CHOICE_SECOND 109
#define IDC_INSTALLATION_FOLDER 112
#define IDC_USER_FOLDER 113
#define IDC_SEARCH_INSTALLATION 114
#define IDC_SEARCH_USER 115
#define IDC_OK 116
#define IDC_CANCEL 117
#define IDC_DEFAULT_INSTALLATION 119
#define IDC_DEFAULT_USER 120
#define IDC_PROGRESS 122

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
