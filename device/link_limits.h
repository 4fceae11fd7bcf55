#pragma once

// Time limits of the device link. A call that runs out fails like any other
// socket error.
//
// Connect: a device on the local network answers within milliseconds; ten
// seconds covers a busy switch or a device still booting after a mode
// switch, and a dead address is reported well within a minute.
inline constexpr int kConnectTimeoutMs = 10'000;
// Send: the device reads as it writes to flash; a send waits for room only
// while the device is busy, never for long.
inline constexpr int kSendTimeoutMs = 30'000;
// Frame read: a device may erase its flash before it answers the size frame
// or the final status; 30 s leaves room for a slow erase and still reports
// a stalled device in well under a minute.
inline constexpr int kFrameReadTimeoutMs = 30'000;
// When a read brings part of a frame, the rest is awaited this long before
// the frame is taken as it stands (a device that answers short).
inline constexpr int kSplitFrameGraceMs = 100;

// The limits in force on one dialog; tests shorten them to see them work.
struct LinkLimits {
  int connectMs = kConnectTimeoutMs;
  int sendMs = kSendTimeoutMs;
  int frameReadMs = kFrameReadTimeoutMs;
  int splitFrameGraceMs = kSplitFrameGraceMs;
};
