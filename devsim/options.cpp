#include "devsim/options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace devsim {
namespace {

const char kUsage[] =
    "usage: kdxupdt-devsim [options]\n"
    "A device emulator for the KDX update tool: listens, answers the mode\n"
    "handshake, takes the image and stores it.\n"
    "\n"
    "  --address ADDR        address to listen on (default 127.0.0.1)\n"
    "  --port N              port (default 55550; 0 lets the system choose)\n"
    "  --store DIR           folder for received images (default .)\n"
    "  --discard             take images without storing them (for benchmarks)\n"
    "  --log FILE            log, one line per frame (default standard error)\n"
    "  --connections N       exit after N connections\n"
    "  --exit-after-image    exit once an image has been received and its\n"
    "                        connection closed\n"
    "  --switch-requests N   first N connections ask for a mode switch (default 1)\n"
    "  --query-answer HEX    the whole 8-byte answer to the mode query\n"
    "  --switch-answer S     status answering \"Q SWITCH\" (default 3)\n"
    "  --size-answer S       status answering the size frame (default 0)\n"
    "  --periodic-status S   status after each 64 KiB (default 0)\n"
    "  --periodic-at N=S     status S for the N-th periodic status only\n"
    "  --final-status S[,S]  statuses for successive final reads (default 3)\n"
    "  --fault STEP:KIND[:N] misbehave at the N-th STEP (default the first; 0 every)\n"
    "                        STEP: connect query switch size periodic final\n"
    "                        KIND: close reset partial stall garbage refuse\n"
    "  --stall-seconds N     how long a stall lasts (default 60)\n"
    "  --idle-seconds N      drop a connection silent this long (default 120)\n"
    "\n"
    "The first line on standard output is \"listening ADDR:PORT\".\n";

bool ParseInt(const char* text, long min, long max, long& out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 0);
  if (errno != 0 || end == text || *end != '\0' || v < min || v > max) return false;
  out = v;
  return true;
}

bool ParseByte(const char* text, uint8_t& out) {
  long v;
  if (!ParseInt(text, 0, 255, v)) return false;
  out = static_cast<uint8_t>(v);
  return true;
}

bool ParseHexFrame(const char* text, std::vector<uint8_t>& out) {
  std::string hex;
  for (const char* p = text; *p; ++p) {
    if (*p != ' ' && *p != ':') hex += *p;
  }
  if (hex.size() != 16) return false;
  out.clear();
  for (size_t i = 0; i < 16; i += 2) {
    char* end = nullptr;
    std::string byte = hex.substr(i, 2);
    long v = std::strtol(byte.c_str(), &end, 16);
    if (*end != '\0') return false;
    out.push_back(static_cast<uint8_t>(v));
  }
  return true;
}

bool ParseFault(const char* text, FaultRule& rule) {
  static const std::pair<const char*, Step> steps[] = {
      {"connect", Step::Connect}, {"query", Step::Query},       {"switch", Step::Switch},
      {"size", Step::Size},       {"periodic", Step::Periodic}, {"final", Step::Final}};
  static const std::pair<const char*, Fault> kinds[] = {
      {"close", Fault::Close}, {"reset", Fault::Reset},     {"partial", Fault::Partial},
      {"stall", Fault::Stall}, {"garbage", Fault::Garbage}, {"refuse", Fault::Refuse}};
  std::string s = text;
  size_t c1 = s.find(':');
  if (c1 == std::string::npos) return false;
  size_t c2 = s.find(':', c1 + 1);
  std::string step = s.substr(0, c1);
  std::string kind = s.substr(c1 + 1, c2 == std::string::npos ? std::string::npos : c2 - c1 - 1);
  rule.occurrence = 1;
  if (c2 != std::string::npos) {
    long n;
    if (!ParseInt(s.c_str() + c2 + 1, 0, 1'000'000, n)) return false;
    rule.occurrence = static_cast<int>(n);
  }
  bool okStep = false, okKind = false;
  for (auto& [name, value] : steps) {
    if (step == name) rule.step = value, okStep = true;
  }
  for (auto& [name, value] : kinds) {
    if (kind == name) rule.fault = value, okKind = true;
  }
  return okStep && okKind;
}

}  // namespace

const char* StepName(Step step) {
  switch (step) {
    case Step::Connect:
      return "connect";
    case Step::Query:
      return "query";
    case Step::Switch:
      return "switch";
    case Step::Size:
      return "size";
    case Step::Periodic:
      return "periodic";
    case Step::Final:
      return "final";
  }
  return "?";
}

std::optional<Options> ParseOptions(int argc, char** argv, int& exitCode) {
  Options o;
  exitCode = 0;
  auto bad = [&](const char* what, const char* value) {
    std::fprintf(stderr, "kdxupdt-devsim: bad %s: %s\n%s", what, value ? value : "(missing)",
                 "Try --help.\n");
    exitCode = 2;
    return std::nullopt;
  };
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    long n;
    if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
      std::fputs(kUsage, stdout);
      return std::nullopt;
    } else if (!std::strcmp(arg, "--address")) {
      const char* v = value();
      if (!v) return bad("address", v);
      o.address = v;
    } else if (!std::strcmp(arg, "--port")) {
      const char* v = value();
      if (!v || !ParseInt(v, 0, 65535, n)) return bad("port", v);
      o.port = static_cast<uint16_t>(n);
    } else if (!std::strcmp(arg, "--store")) {
      const char* v = value();
      if (!v) return bad("store folder", v);
      o.storeDir = v;
    } else if (!std::strcmp(arg, "--log")) {
      const char* v = value();
      if (!v) return bad("log file", v);
      o.logFile = v;
    } else if (!std::strcmp(arg, "--connections")) {
      const char* v = value();
      if (!v || !ParseInt(v, 0, 1'000'000, n)) return bad("connection count", v);
      o.connections = static_cast<int>(n);
    } else if (!std::strcmp(arg, "--discard")) {
      o.discard = true;
    } else if (!std::strcmp(arg, "--exit-after-image")) {
      o.exitAfterImage = true;
    } else if (!std::strcmp(arg, "--switch-requests")) {
      const char* v = value();
      if (!v || !ParseInt(v, 0, 1'000'000, n)) return bad("switch request count", v);
      o.switchRequests = static_cast<int>(n);
    } else if (!std::strcmp(arg, "--query-answer")) {
      const char* v = value();
      std::vector<uint8_t> frame;
      if (!v || !ParseHexFrame(v, frame)) return bad("query answer (16 hex digits)", v);
      o.queryAnswer = frame;
    } else if (!std::strcmp(arg, "--switch-answer")) {
      const char* v = value();
      if (!v || !ParseByte(v, o.switchAnswer)) return bad("switch answer", v);
    } else if (!std::strcmp(arg, "--size-answer")) {
      const char* v = value();
      if (!v || !ParseByte(v, o.sizeAnswer)) return bad("size answer", v);
    } else if (!std::strcmp(arg, "--periodic-status")) {
      const char* v = value();
      if (!v || !ParseByte(v, o.periodicStatus)) return bad("periodic status", v);
    } else if (!std::strcmp(arg, "--periodic-at")) {
      const char* v = value();
      const char* eq = v ? std::strchr(v, '=') : nullptr;
      uint8_t s;
      if (!eq || !ParseInt(std::string(v, eq).c_str(), 1, 1'000'000, n) || !ParseByte(eq + 1, s)) {
        return bad("periodic-at (N=S)", v);
      }
      o.periodicAt[static_cast<int>(n)] = s;
    } else if (!std::strcmp(arg, "--final-status")) {
      const char* v = value();
      if (!v) return bad("final status", v);
      o.finalStatuses.clear();
      std::string list = v;
      size_t pos = 0;
      while (pos <= list.size()) {
        size_t comma = list.find(',', pos);
        std::string item = list.substr(pos, comma == std::string::npos ? comma : comma - pos);
        uint8_t s;
        if (!ParseByte(item.c_str(), s)) return bad("final status", v);
        o.finalStatuses.push_back(s);
        if (comma == std::string::npos) break;
        pos = comma + 1;
      }
    } else if (!std::strcmp(arg, "--fault")) {
      const char* v = value();
      FaultRule rule{};
      if (!v || !ParseFault(v, rule)) return bad("fault", v);
      o.faults.push_back(rule);
    } else if (!std::strcmp(arg, "--stall-seconds")) {
      const char* v = value();
      if (!v || !ParseInt(v, 0, 86400, n)) return bad("stall seconds", v);
      o.stallSeconds = static_cast<int>(n);
    } else if (!std::strcmp(arg, "--idle-seconds")) {
      const char* v = value();
      if (!v || !ParseInt(v, 1, 86400, n)) return bad("idle seconds", v);
      o.idleSeconds = static_cast<int>(n);
    } else {
      return bad("option", arg);
    }
  }
  return o;
}

}  // namespace devsim
