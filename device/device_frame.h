#pragma once

#include <cstdint>
#include <string>

// The 8-byte frame of every command and status, and the codes in its byte 1.
// No length prefix, terminator or checksum; numbers are big-endian.
inline constexpr int kFrameSize = 8;
inline constexpr uint8_t kCommandLead = 0x51;  // 'Q', byte 0 of every command

inline constexpr uint8_t CMD_QUERY_MODE = 0x21;
inline constexpr uint8_t CMD_IMAGE_SIZE = 0x22;
inline constexpr uint8_t STATUS_COMPLETE = 3;
inline constexpr uint8_t STATUS_MODE = 5;
inline constexpr uint8_t STATUS_ERROR = 6;

// The switch frame is the eight characters "Q SWITCH".
inline constexpr char kSwitchFrame[kFrameSize + 1] = "Q SWITCH";

// A status answer that asks for a mode switch: status 5, then 0x00 0x01.
inline bool IsSwitchRequest(const uint8_t* response) {
  return response[1] == STATUS_MODE && response[2] == 0x00 && response[3] == 0x01;
}

void MakeQueryFrame(uint8_t* frame);
void MakeSizeFrame(uint8_t* frame, uint32_t length);

// The name of a code for logs and test messages ("STATUS_COMPLETE", or the
// number in hex when it has none).
std::string CommandName(uint8_t code);
std::string StatusName(uint8_t code);
