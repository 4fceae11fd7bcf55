#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/update_dlg.h"
#include "platform/clock/recording_clock.h"
#include "platform/journal/journal.h"
#include "platform/text/cp932.h"
#include "platform/window/recording/recording_backend.h"
#include "support/temp_dir.h"

// The main dialog on the recording backend and clock, with its own state
// record. Lines of the journal are compared as whole sequences.
class DialogFixture : public ::testing::Test {
 protected:
  DialogFixture() : backend_(journal_), clock_(journal_), clockScope_(clock_) {
    platform::window::SetCurrentBackend(&backend_);
  }
  ~DialogFixture() override { platform::window::SetCurrentBackend(nullptr); }

  // Opens the main window as start-up does and forgets the journal so far.
  platform::window::RecordingWindow& Open() {
    window_ = &backend_.Open(*dlg_.resources().findDialog(IDD_UPDATE_DIALOG), dlg_);
    journal_.Clear();
    return *window_;
  }

  std::vector<std::string> Take() { return journal_.Take(); }

  static std::string Cp(const std::string& utf8) { return platform::text::Utf8ToCp932(utf8); }

  TempDir config_{true};  // never the user's settings
  platform::Journal journal_;
  platform::window::RecordingBackend backend_;
  platform::clock::RecordingClock clock_;
  platform::clock::ScopedClock clockScope_;
  ToolState state_;
  CUpdateDlg dlg_{state_};
  platform::window::RecordingWindow* window_ = nullptr;
};
