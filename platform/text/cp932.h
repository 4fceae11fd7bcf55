#pragma once

#include <string>
#include <string_view>

// Texts cross the window layer and live in the settings file as code page 932
// bytes; the front ends show and take UTF-8. These two calls are the edge.
namespace platform::text {

// Invalid or truncated code page 932 sequences become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// Characters without a code page 932 form become '?', as the 8-bit window
// functions do; invalid UTF-8 bytes likewise.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace platform::text
