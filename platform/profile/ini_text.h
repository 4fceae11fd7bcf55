#pragma once

#include <optional>
#include <string>
#include <string_view>

// The INI text itself, apart from any file: find a value, set a value.
namespace platform::profile {

// The value of key in section, quotes around it removed; none if missing.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The text with key in section set to value; every other line unchanged.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace platform::profile
