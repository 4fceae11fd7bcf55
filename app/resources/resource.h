#pragma once

// Identifiers of the tool's resources and controls.

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_UPDATE_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDI_ABOUT = 133;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

inline constexpr int IDC_BROWSE = 1001;
inline constexpr int IDC_PROGRESS = 1002;
inline constexpr int IDC_ADDRESS = 1006;
inline constexpr int IDC_VERSION = 1007;
inline constexpr int IDC_PORT = 1008;
inline constexpr int IDC_FILENAME = 1009;
inline constexpr int IDC_MESSAGE = 1013;
inline constexpr int IDC_UPDATE = 1022;
