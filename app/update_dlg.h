#pragma once

#include <cstdint>
#include <span>

#include "app/resources/resource.h"
#include "app/tool_state.h"
#include "device/link_limits.h"
#include "platform/window/afx.h"

enum class TransferResult { Finished, Failed, Aborted, NotOpened };

// How the last press of the update button ended, for front ends that report
// it (the command line's exit status); it changes nothing in the procedure.
enum class UpdateEnd {
  None,            // no update run yet
  BadInput,        // address, port or image refused
  Declined,        // the user answered No
  NoConnection,    // connect failed, handshake refused, mode never settled
  TransferFailed,  // the transfer failed or the image no longer opened
  Aborted,         // the device reported an error during the transfer
  Completed,
};

// The main window and every operation of the tool. Handlers of the settings
// and device subsystems are defined in their own folders.
class CUpdateDlg : public platform::window::CDialog {
 public:
  explicit CUpdateDlg(platform::window::CWnd* parent = nullptr);
  // Tests give their own state record.
  explicit CUpdateDlg(ToolState& state, platform::window::CWnd* parent = nullptr);

  // Window operations used across the subsystems (texts are code page 932).
  void ShowMessage(const char* blank, const char* text);
  void ShowMessage(const char* blank, const std::string& text) { ShowMessage(blank, text.c_str()); }

  // Input state and guidance line.
  void RefreshGuidance();
  int IsUsableAddress();

  // Settings.
  void LoadSettings();

  // Device link.
  int ConnectDevice();
  int ResolveAddress(const char* address);
  int SendFrame(const void* data, int count, int flags);
  int ReceiveFrame(void* buffer, int count, int flags);
  void CloseLink();

  // Handshake, transfer, update.
  int NegotiateMode();
  TransferResult TransferImage();

  // Handlers, reached through the message map.
  void OnSysCommand(platform::window::UINT id, platform::window::LPARAM lParam);
  void OnPaint();
  platform::window::HICON OnQueryDragIcon();
  void OnVersionUp();
  void OnSelectFile();
  void OnVersionInfo();
  void OnKillFocusFileName();
  void OnKillFocusAddress();
  void OnKillFocusPort();

  ToolState& state() { return state_; }
  void SetLinkLimits(const LinkLimits& limits) { limits_ = limits; }
  UpdateEnd lastUpdateEnd() const { return lastUpdateEnd_; }
  platform::window::HICON icon() const { return m_hIcon; }

 protected:
  void DoDataExchange(platform::window::CDataExchange* dx) override;
  platform::window::BOOL OnInitDialog() override;
  void OnCancel() override;
  bool OnWndMsg(platform::window::UINT message, platform::window::WPARAM wParam,
                platform::window::LPARAM lParam, platform::window::LRESULT* result) override;

  platform::window::CEdit m_message;
  platform::window::CProgressCtrl m_progress;
  platform::window::HICON m_hIcon;

 private:
  ToolState& state_;
  uint32_t resolvedAddress_ = 0;  // the host entry's first address
  LinkLimits limits_;
  UpdateEnd lastUpdateEnd_ = UpdateEnd::None;
};
