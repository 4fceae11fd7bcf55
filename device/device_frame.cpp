#include "device/device_frame.h"

#include <cstdio>
#include <cstring>

namespace {

struct CodeName {
  uint8_t code;
  const char* name;
};

constexpr CodeName kCommands[] = {{CMD_QUERY_MODE, "CMD_QUERY_MODE"},
                                  {CMD_IMAGE_SIZE, "CMD_IMAGE_SIZE"}};
constexpr CodeName kStatuses[] = {{STATUS_COMPLETE, "STATUS_COMPLETE"},
                                  {STATUS_MODE, "STATUS_MODE"},
                                  {STATUS_ERROR, "STATUS_ERROR"}};

template <size_t N>
std::string Lookup(const CodeName (&table)[N], uint8_t code) {
  for (const CodeName& c : table) {
    if (c.code == code) return c.name;
  }
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", code);
  return buf;
}

}  // namespace

void MakeQueryFrame(uint8_t* frame) {
  std::memset(frame, 0, kFrameSize);
  frame[0] = kCommandLead;
  frame[1] = CMD_QUERY_MODE;
}

void MakeSizeFrame(uint8_t* frame, uint32_t length) {
  std::memset(frame, 0, kFrameSize);
  frame[0] = kCommandLead;
  frame[1] = CMD_IMAGE_SIZE;
  frame[2] = static_cast<uint8_t>(length >> 24);
  frame[3] = static_cast<uint8_t>(length >> 16);
  frame[4] = static_cast<uint8_t>(length >> 8);
  frame[5] = static_cast<uint8_t>(length);
}

std::string CommandName(uint8_t code) {
  return Lookup(kCommands, code);
}
std::string StatusName(uint8_t code) {
  return Lookup(kStatuses, code);
}
