#include "app/texts.h"

#include <string>
#include <unordered_map>

#include "platform/text/cp932.h"

const char* Cp932(const char* utf8Literal) {
  // Keyed by the literal's address: each call site converts once.
  static std::unordered_map<const char*, std::string> cache;
  auto [it, inserted] = cache.try_emplace(utf8Literal);
  if (inserted) it->second = platform::text::Utf8ToCp932(utf8Literal);
  return it->second.c_str();
}
