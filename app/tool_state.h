#pragma once

#include <cstdint>
#include <string>

#include "platform/net/net.h"

// The tool's one working record, alive for the whole process.
struct ToolState {
  char host[16] = {};        // address text, at most 15 characters
  char port[8] = {};         // port text, at most 5 characters
  char filePath[768] = {};   // image path, at most 767 characters
  std::string selectedPath;  // what the file dialog returned last
  uint16_t inputState = 0;
  // No link open: an invalid handle, so a close at exit touches nothing.
  platform::net::Socket sock = platform::net::kInvalidSocket;
  int32_t stepBytes = 0;        // image length / 11, paces the progress bar
  int64_t announcedLength = 0;  // what the size frame told the device
  uint8_t chunk[1024] = {};
  uint8_t command[8] = {};
  uint8_t response[8] = {};
};

// The process's record.
ToolState& GlobalToolState();
