#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace devsim {

// The protocol steps at which the emulator answers, and so can misbehave.
enum class Step { Connect, Query, Switch, Size, Periodic, Final };
// What it does instead of answering well.
enum class Fault { Close, Reset, Partial, Stall, Garbage, Refuse };

struct FaultRule {
  Step step;
  Fault fault;
  int occurrence;  // the n-th time the step comes (1-based); 0: every time
};

struct Options {
  std::string address = "127.0.0.1";
  uint16_t port = 55550;  // 0: the system chooses; the first line printed says which
  std::string storeDir = ".";
  bool discard = false;  // take images without storing them
  std::string logFile;   // empty: standard error
  int connections = 0;   // serve this many connections, then exit; 0: no limit
  bool exitAfterImage = false;
  int switchRequests = 1;  // connections that ask for a mode switch first
  uint8_t switchAnswer = 3;
  std::optional<std::vector<uint8_t>> queryAnswer;  // whole 8-byte answer
  uint8_t sizeAnswer = 0;
  uint8_t periodicStatus = 0;
  std::map<int, uint8_t> periodicAt;      // n-th periodic status (1-based)
  std::vector<uint8_t> finalStatuses{3};  // successive final reads; the last repeats
  int stallSeconds = 60;
  int idleSeconds = 120;  // a connection silent this long is dropped
  std::vector<FaultRule> faults;
};

// Parses the command line; on error or --help prints to stderr/stdout and
// returns none with exitCode set.
std::optional<Options> ParseOptions(int argc, char** argv, int& exitCode);

const char* StepName(Step step);

}  // namespace devsim
