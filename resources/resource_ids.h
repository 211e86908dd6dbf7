// Resource ids shared by the resource script and the Windows layer.
#pragma once

#define IDD_MAIN_WINDOW 102
#define IDS_SOCKETS_FAILED 103
#define IDI_APPLICATION_ICON 128
#define IDC_HAND_CURSOR 150
#define IDR_TRAY_MENU 166

#define IDC_ENABLE_EXPOSE 1000
#define ID_TRAY_SHOW 32771
#define ID_TRAY_EXIT 32772

// Overlay windows, each created once from its template and then only shown and hidden.
#define IDD_CURSOR_OVERLAY 141
#define IDD_OVERVIEW 142
#define IDD_PICKER 146
#define IDD_PRESENTER_BOARD 163
#define IDD_MAGNIFIER 164
