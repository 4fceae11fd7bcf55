#include <gtest/gtest.h>

#include <cstring>

#include "app/update_dlg.h"

namespace {

struct Case {
  const char* host;
  int usable;
};

// Every example of the classful table, then the parser's odd forms.
const Case kCases[] = {
    {"10.0.0.1", 1},
    {"1.255.255.0", 1},
    {"10.0.0.255", 1},
    {"0.1.2.3", 0},
    {"127.0.0.1", 0},
    {"127.1.2.3", 0},
    {"10.0.0.0", 0},
    {"10.255.255.255", 0},
    {"172.16.0.1", 1},
    {"172.16.0.255", 1},
    {"172.16.255.0", 1},
    {"128.1.0.1", 1},
    {"128.0.1.1", 0},
    {"191.255.1.1", 0},
    {"172.16.0.0", 0},
    {"172.16.255.255", 0},
    {"192.168.1.10", 1},
    {"192.0.1.5", 1},
    {"192.168.1.1", 1},
    {"192.168.1.254", 1},
    {"192.0.0.5", 0},
    {"223.255.255.1", 0},
    {"192.168.1.0", 0},
    {"192.168.1.255", 0},
    {"224.0.0.1", 1},
    {"240.0.0.0", 1},
    {"255.255.255.255", 1},
    {"192.0.2.10", 1},
    // Shortened forms: the last number fills the remaining bytes.
    {"10", 0},           // 0.0.0.10
    {"10.1", 1},         // 10.0.0.1
    {"10.65535", 1},     // 10.0.255.255, host part not all ones
    {"10.16777215", 0},  // 10.255.255.255
    {"192.168.257", 1},  // 192.168.1.1
    // Octal and hexadecimal.
    {"0x7f.1", 0},           // 127.0.0.1
    {"0177.0.0.1", 0},       // 127.0.0.1
    {"012.0.0.1", 1},        // 10.0.0.1
    {"0xC0.168.1.0xFF", 0},  // 192.168.1.255
    {"0300.0250.1.012", 1},  // 192.168.1.10
    // Rejected texts read as 255.255.255.255 and pass here.
    {"device", 1},
    {"256.1.1.1", 1},
    {"1.2.3.4.5", 1},
    {"09.1.1.1", 1},
};

TEST(AddressCheck, ClassfulTableAndParserForms) {
  for (const Case& c : kCases) {
    ToolState state;
    std::strncpy(state.host, c.host, sizeof state.host - 1);
    CUpdateDlg dlg(state);
    EXPECT_EQ(dlg.IsUsableAddress(), c.usable) << c.host;
  }
}

}  // namespace
