#pragma once

#include "app/update_dlg.h"

// The command line's exit statuses, one for each way an update can end.
enum CliExit {
  kCompleted = 0,
  kUsage = 1,
  kBadInput = 2,
  kNoConnection = 3,
  kTransferFailed = 4,
  kAborted = 5,
  kDeclined = 6,
};

inline int ExitFor(UpdateEnd end) {
  switch (end) {
    case UpdateEnd::Completed:
      return kCompleted;
    case UpdateEnd::None:
    case UpdateEnd::BadInput:
      return kBadInput;
    case UpdateEnd::Declined:
      return kDeclined;
    case UpdateEnd::NoConnection:
      return kNoConnection;
    case UpdateEnd::TransferFailed:
      return kTransferFailed;
    case UpdateEnd::Aborted:
      return kAborted;
  }
  return kBadInput;
}
