#include "platform/profile/ini_text.h"

#include <vector>

namespace platform::profile {
namespace {

struct Line {
  size_t begin;  // offset of the line in the text
  size_t end;    // offset after its content, before "\r\n" or "\n"
  size_t next;   // offset of the next line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
    size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > pos && text[end - 1] == '\r') --end;
    lines.push_back(Line{pos, end, next});
    pos = next;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The section name of a "[name]" line, or none.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line[0] != '[') return std::nullopt;
  size_t close = line.find(']');
  return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> ParseKey(std::string_view line) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

// Where the section's lines start and end, as line indexes.
struct SectionSpan {
  size_t header;
  size_t first;
  size_t last;  // one past the last line of the section
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view text,
                                       std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!name || !SameName(*name, section)) continue;
    size_t j = i + 1;
    while (j < lines.size() &&
           !SectionName(text.substr(lines[j].begin, lines[j].end - lines[j].begin))) {
      ++j;
    }
    return SectionSpan{i, i + 1, j};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
  std::vector<Line> lines = SplitLines(text);
  auto span = FindSection(lines, text, section);
  if (!span) return std::nullopt;
  for (size_t i = span->first; i < span->last; ++i) {
    auto kv = ParseKey(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!kv || !SameName(kv->key, key)) continue;
    std::string_view v = kv->value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
      v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
  }
  return std::nullopt;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
  std::vector<Line> lines = SplitLines(text);
  // New lines follow the file's own line ends.
  const char* eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::string entry = std::string(key) + "=" + std::string(value);
  std::string out;
  auto span = FindSection(lines, text, section);
  if (!span) {
    out = std::string(text);
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(section) + "]" + eol + entry + eol;
    return out;
  }
  for (size_t i = span->first; i < span->last; ++i) {
    auto kv = ParseKey(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!kv || !SameName(kv->key, key)) continue;
    out = std::string(text.substr(0, lines[i].begin)) + entry;
    out += text.substr(lines[i].end);
    return out;
  }
  // A new key goes after the section's last non-blank line.
  size_t after = span->header;
  for (size_t i = span->first; i < span->last; ++i) {
    if (!Trim(text.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty()) after = i;
  }
  size_t at = lines[after].next;
  out = std::string(text.substr(0, at));
  if (!out.empty() && out.back() != '\n') out += eol;
  out += entry + eol;
  out += text.substr(at);
  return out;
}

}  // namespace platform::profile
