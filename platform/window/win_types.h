#pragma once

#include <cstdint>

// The message numbers, styles and button ids of the window layer, with the
// values the dialog code and its templates are written against.
namespace platform::window {

using UINT = unsigned int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// Messages.
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_ICONERASEBKGND = 0x0027;
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;

// Notifications carried in the high word of WM_COMMAND's wParam.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT EN_KILLFOCUS = 0x0200;

inline constexpr WPARAM MakeCommand(UINT code, int id) {
  return (static_cast<WPARAM>(code & 0xFFFF) << 16) | static_cast<WPARAM>(id & 0xFFFF);
}

// System commands.
inline constexpr UINT SC_CLOSE = 0xF060;

// Button ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message box styles.
inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_TYPEMASK = 0x0F;
inline constexpr UINT MB_ICONMASK = 0xF0;

// Progress bar messages.
inline constexpr UINT PBM_SETRANGE = 0x0401;
inline constexpr UINT PBM_SETPOS = 0x0402;
inline constexpr UINT PBM_SETSTEP = 0x0404;
inline constexpr UINT PBM_STEPIT = 0x0405;

// ShowWindow, icons, menus, metrics.
inline constexpr int SW_SHOW = 5;
inline constexpr int ICON_SMALL = 0;
inline constexpr int ICON_BIG = 1;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;

// Window and control styles used by the templates.
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t DS_SETFONT = 0x40;
inline constexpr uint32_t DS_MODALFRAME = 0x80;
inline constexpr uint32_t WS_EX_RTLREADING = 0x00002000;
inline constexpr uint32_t WS_EX_APPWINDOW = 0x00040000;
inline constexpr uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr uint32_t BS_GROUPBOX = 0x7;
inline constexpr uint32_t BS_TYPEMASK = 0xF;
inline constexpr uint32_t ES_MULTILINE = 0x0004;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr uint32_t ES_READONLY = 0x0800;
inline constexpr uint32_t ES_WANTRETURN = 0x1000;
inline constexpr uint32_t SS_LEFT = 0x0;
inline constexpr uint32_t SS_ICON = 0x3;
inline constexpr uint32_t SS_TYPEMASK = 0x1F;
inline constexpr uint32_t SS_NOPREFIX = 0x80;

}  // namespace platform::window
