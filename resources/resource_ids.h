// Resource ids shared by the resource script and the Windows layer.
#pragma once

#define IDD_MAIN_WINDOW 102
#define IDI_APPLICATION_ICON 128
#define IDC_HAND_CURSOR 150
#define IDR_TRAY_MENU 166

#define IDC_ENABLE_EXPOSE 1000
#define ID_TRAY_SHOW 32771
#define ID_TRAY_EXIT 32772

// Overlay windows, each created once from its template and then only shown and hidden.
#define IDD_CURSOR_OVERLAY 141
#define IDD_OVERVIEW 142
#define IDD_OVERVIEW_PANEL 143
#define IDD_PICKER 146
#define IDD_PRESENTER_BOARD 163
#define IDD_MAGNIFIER 164

// The function tip: a pop-up created on first use from its template.
#define IDD_FUNCTION_TIP 151
#define IDC_PENCIL_CURSOR 167

// Images, resource type "PNG". The cursor overlay's swipe frames run in four sets of ten ids:
// up 131-140, down 191-200, left 171-180, right 181-190.
#define IDB_PRODUCT_PICTURE 129
#define IDB_PRODUCT_PICTURE_2X 203  // the same picture with twice the pixels
#define IDB_SWIPE_UP_FIRST 131
#define IDB_SWIPE_LEFT_FIRST 171
#define IDB_SWIPE_RIGHT_FIRST 181
#define IDB_SWIPE_DOWN_FIRST 191
#define IDB_FOLDER 144
#define IDB_MOUSE_TOP_VIEW 147
#define IDB_PICKER_TEXTURE 148
#define IDB_TIP_PANEL 149
#define IDB_ICON_COPY 152
#define IDB_ICON_PASTE 153
#define IDB_ICON_NO_FUNCTION 154
#define IDB_ICON_EXPOSE 155
#define IDB_ICON_MY_COMPUTER 156
#define IDB_SWIPE_ICON_UP 157
#define IDB_SWIPE_ICON_DOWN 158
#define IDB_SWIPE_ICON_LEFT 159
#define IDB_SWIPE_ICON_RIGHT 160
#define IDB_ICON_VOLUME_DOWN 161
#define IDB_ICON_VOLUME_UP 162
#define IDB_MAGNIFIER_FRAME 165
#define IDB_SMALL_SCISSORS 168
#define IDB_ICON_CUT 169
#define IDB_ICON_SNAP_FREEFORM 170
#define IDB_ICON_SNAP_RECTANGLE 201
#define IDB_MOUSE_LINE_DRAWING 202
// The icons and the swipe frames are also drawn at twice the size, at their id plus this.
#define IDB_DOUBLE_SIZE_OFFSET 1000
