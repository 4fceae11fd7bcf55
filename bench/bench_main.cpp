// kdxupdt-bench: the transfer's pacing overhead, CPU share, peak memory and
// unpaced throughput, measured on the tool's own link and transfer code
// against the emulator. Run through scripts/bench.sh, which puts the
// emulator on 192.0.2.10 in a private network namespace.
//   kdxupdt-bench PORT OUT.json     the whole benchmark
//   kdxupdt-bench --unpaced PORT SIZE   one unpaced run (a child of the above)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/resources/resources.h"
#include "app/update_dlg.h"
#include "platform/clock/clock.h"
#include "platform/window/console/console_backend.h"

using namespace platform::window;
using Clock = std::chrono::steady_clock;

namespace {

// Adds up the pauses asked for (the budget); sleeps them only when paced.
class BudgetClock final : public platform::clock::Clock {
 public:
  explicit BudgetClock(bool paced) : paced_(paced) {}
  void Sleep(uint32_t ms) override {
    budgetMs += ms;
    if (paced_) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  uint64_t budgetMs = 0;

 private:
  bool paced_;
};

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Transfer {
  bool ok = false;
  double wallMs = 0;
  double budgetMs = 0;
  double cpuMs = 0;
};

// Handshake, then the timed transfer of a sparse image of the given size.
Transfer RunTransfer(int port, uint64_t size, bool paced) {
  std::string path = "/tmp/kdxupdt-bench-" + std::to_string(getpid()) + ".bin";
  { std::ofstream(path, std::ios::binary); }
  std::filesystem::resize_file(path, size);
  ToolState state;
  CUpdateDlg dlg(state);
  // The console window, writing nowhere: the measurement sees the tool's
  // own work.
  static FILE* nowhere = std::fopen("/dev/null", "w");
  ConsoleOptions quiet;
  quiet.out = quiet.err = nowhere;
  ConsoleWindow window(app::resources::UpdateDialogTemplate(), dlg, quiet);
  dlg.InitDialog(window);
  std::strcpy(state.host, "192.0.2.10");
  std::snprintf(state.port, sizeof state.port, "%d", port);
  std::strcpy(state.filePath, path.c_str());
  BudgetClock clock(paced);
  platform::clock::ScopedClock scope(clock);
  Transfer t;
  if (dlg.ConnectDevice() == 0 && dlg.NegotiateMode() == 0) {
    clock.budgetMs = 0;
    double cpu0 = CpuSeconds();
    auto t0 = Clock::now();
    t.ok = dlg.TransferImage() == TransferResult::Finished;
    t.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    t.cpuMs = (CpuSeconds() - cpu0) * 1000;
    t.budgetMs = static_cast<double>(clock.budgetMs);
  }
  std::filesystem::remove(path);
  return t;
}

// Runs an unpaced transfer in a child process, for its own peak memory.
bool Unpaced(const char* self, int port, uint64_t size, double& wallMs, long& peakKiB) {
  int out[2];
  if (pipe(out) != 0) return false;
  pid_t child = fork();
  if (child == 0) {
    dup2(out[1], 1);
    close(out[0]);
    std::string p = std::to_string(port), s = std::to_string(size);
    execl(self, self, "--unpaced", p.c_str(), s.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char buf[256] = {};
  ssize_t n = read(out[0], buf, sizeof buf - 1);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return n > 0 && std::sscanf(buf, "%lf %ld", &wallMs, &peakKiB) == 2 && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A settings folder of its own, never the user's.
  char config[] = "/tmp/kdxupdt-bench-config-XXXXXX";
  if (mkdtemp(config) != nullptr) setenv("XDG_CONFIG_HOME", config, 1);
  if (argc == 4 && std::strcmp(argv[1], "--unpaced") == 0) {
    Transfer t = RunTransfer(std::atoi(argv[2]), std::stoull(argv[3]), false);
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("%.3f %ld\n", t.wallMs, u.ru_maxrss);
    return t.ok ? 0 : 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: kdxupdt-bench PORT OUT.json (run by scripts/bench.sh)\n");
    return 2;
  }
  int port = std::atoi(argv[1]);
  std::string json = "{\n  \"paced\": [\n";
  setvbuf(stdout, nullptr, _IOLBF, 0);
  std::printf("%-10s %12s %12s %10s %10s\n", "paced", "wall ms", "pauses ms", "overhead", "cpu");
  const uint64_t paced[] = {64 * 1024, 1024 * 1024, 4 * 1024 * 1024};
  bool ok = true;
  for (size_t i = 0; i < 3; ++i) {
    Transfer t = RunTransfer(port, paced[i], true);
    ok = ok && t.ok;
    double overhead = t.budgetMs > 0 ? (t.wallMs - t.budgetMs) / t.budgetMs : 0;
    double cpu = t.wallMs > 0 ? t.cpuMs / t.wallMs : 0;
    std::printf("%-10llu %12.1f %12.0f %9.3f%% %9.3f%%%s\n",
                static_cast<unsigned long long>(paced[i]), t.wallMs, t.budgetMs, overhead * 100,
                cpu * 100, t.ok ? "" : "  FAILED");
    char line[256];
    std::snprintf(line, sizeof line,
                  "    {\"bytes\": %llu, \"wall_ms\": %.1f, \"pause_budget_ms\": %.0f, "
                  "\"ratio\": %.5f, \"cpu_share\": %.5f, \"finished\": %s}%s\n",
                  static_cast<unsigned long long>(paced[i]), t.wallMs, t.budgetMs,
                  t.budgetMs > 0 ? t.wallMs / t.budgetMs : 0, cpu, t.ok ? "true" : "false",
                  i + 1 < 3 ? "," : "");
    json += line;
  }
  json += "  ],\n  \"unpaced\": [\n";
  std::printf("\n%-12s %12s %12s %12s\n", "unpaced", "wall ms", "MB/s", "peak KiB");
  const uint64_t unpaced[] = {1ull << 20, 1ull << 30};
  for (size_t i = 0; i < 2; ++i) {
    double wallMs = 0;
    long peak = 0;
    bool done = Unpaced(argv[0], port, unpaced[i], wallMs, peak);
    ok = ok && done;
    double mbps = wallMs > 0 ? static_cast<double>(unpaced[i]) / 1e6 / (wallMs / 1000) : 0;
    std::printf("%-12llu %12.1f %12.1f %12ld%s\n", static_cast<unsigned long long>(unpaced[i]),
                wallMs, mbps, peak, done ? "" : "  FAILED");
    char line[256];
    std::snprintf(line, sizeof line,
                  "    {\"bytes\": %llu, \"wall_ms\": %.1f, \"mb_per_s\": %.1f, "
                  "\"peak_rss_kib\": %ld, \"finished\": %s}%s\n",
                  static_cast<unsigned long long>(unpaced[i]), wallMs, mbps, peak,
                  done ? "true" : "false", i + 1 < 2 ? "," : "");
    json += line;
  }
  json += "  ]\n}\n";
  std::ofstream(argv[2]) << json;
  std::printf("\nwritten %s\n", argv[2]);
  return ok ? 0 : 1;
}
