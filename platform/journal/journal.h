#pragma once

#include <string>
#include <vector>

// One ordered record of what the recording backends saw: window operations,
// pauses, socket calls. Tests compare it against an exact expected sequence.
namespace platform {

class Journal {
 public:
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }
  // Takes the lines recorded so far, leaving the journal empty.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(lines_);
    return out;
  }

 private:
  std::vector<std::string> lines_;
};

}  // namespace platform
