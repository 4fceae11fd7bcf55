// The link on real sockets against the emulator on loopback.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "device/device_frame.h"
#include "support/devsim_process.h"
#include "support/dialog_fixture.h"

using Lines = std::vector<std::string>;

namespace {

// A loopback port with nothing listening on it.
int FreePort() {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  close(s);
  return ntohs(a.sin_port);
}

class LinkTest : public DialogFixture {
 protected:
  void Target(int port) {
    Open();
    std::strcpy(state_.host, "127.0.0.1");
    std::snprintf(state_.port, sizeof state_.port, "%d", port);
  }
  int SendQuery() {
    uint8_t frame[kFrameSize];
    MakeQueryFrame(frame);
    return dlg_.SendFrame(frame, kFrameSize, 0);
  }
};

TEST_F(LinkTest, RefusedConnectionFailsWithoutABoxAndLeavesNoSocket) {
  Target(FreePort());
  EXPECT_EQ(dlg_.ConnectDevice(), -1);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(state_.sock, platform::net::kInvalidSocket);
}

TEST_F(LinkTest, DeviceThatClosesGivesAFailedRead) {
  DevsimProcess device({"--fault", "query:close"});
  Target(device.port());
  ASSERT_EQ(dlg_.ConnectDevice(), 0);
  EXPECT_EQ(SendQuery(), 0);
  uint8_t buffer[kFrameSize];
  EXPECT_EQ(dlg_.ReceiveFrame(buffer, kFrameSize, 0), -1);
  dlg_.CloseLink();
}

TEST_F(LinkTest, PartialFrameIsTakenAfterTheGraceAndKeepsTheRest) {
  DevsimProcess device({"--fault", "query:partial", "--switch-requests", "1"});
  Target(device.port());
  ASSERT_EQ(dlg_.ConnectDevice(), 0);
  ASSERT_EQ(SendQuery(), 0);
  uint8_t buffer[kFrameSize];
  std::memset(buffer, 0xAA, sizeof buffer);
  EXPECT_EQ(dlg_.ReceiveFrame(buffer, kFrameSize, 0), 0);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 8),
            (std::vector<uint8_t>{0x00, 0x05, 0x00, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  dlg_.CloseLink();
}

TEST_F(LinkTest, StalledDeviceHitsTheReadLimit) {
  DevsimProcess device({"--fault", "query:stall", "--stall-seconds", "5"});
  Target(device.port());
  LinkLimits limits;
  limits.frameReadMs = 300;
  dlg_.SetLinkLimits(limits);
  ASSERT_EQ(dlg_.ConnectDevice(), 0);
  ASSERT_EQ(SendQuery(), 0);
  uint8_t buffer[kFrameSize];
  EXPECT_EQ(dlg_.ReceiveFrame(buffer, kFrameSize, 0), -1);
  dlg_.CloseLink();
}

TEST_F(LinkTest, WritingAfterTheDeviceClosedFailsWithoutASignal) {
  DevsimProcess device({"--fault", "query:reset"});
  Target(device.port());
  ASSERT_EQ(dlg_.ConnectDevice(), 0);
  ASSERT_EQ(SendQuery(), 0);
  std::vector<uint8_t> chunk(1024, 0x55);
  int result = 0;
  for (int i = 0; i < 200 && result == 0; ++i) {
    result = dlg_.SendFrame(chunk.data(), 1024, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(result, -1);  // and the process is still here
  dlg_.CloseLink();
}

TEST_F(LinkTest, CloseAtExitNeverReachesAnotherDescriptor) {
  DevsimProcess device({});
  Target(device.port());
  ASSERT_EQ(dlg_.ConnectDevice(), 0);
  dlg_.CloseLink();
  // Whatever opens next may get the old number; exit must not close it.
  int other = open("/dev/null", O_RDONLY);
  window_->Click(platform::window::IDCANCEL);
  EXPECT_NE(fcntl(other, F_GETFD), -1);
  close(other);
  EXPECT_TRUE(window_->ended());
}

}  // namespace
