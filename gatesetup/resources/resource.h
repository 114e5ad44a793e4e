// Resource identifiers of gatesetup, shared by the resource script and the code.
#pragma once

// Icon
#define IDI_GATESETUP 101

// Dialogs
#define IDD_START 102
#define IDD_COMPLETION 104
#define IDD_LINK_SCOPE 109

// Bitmaps
#define IDB_BANNER 106
#define IDB_START_STRIP 107
#define IDB_FINISHED_STRIP 108

// The payload archive, resource type "BIN"
#define IDR_PAYLOAD 105

// Controls
#define IDC_ALL_USERS 110
#define IDC_CURRENT_USER 111

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
