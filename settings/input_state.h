#pragma once

#include <cstdint>

// Which inputs are known to be usable; drives the guidance line only.
inline constexpr uint16_t ADDRESS_SET = 0x001;
inline constexpr uint16_t PORT_SET = 0x010;
inline constexpr uint16_t FILE_SET = 0x100;

// The guidance text (UTF-8) for a whole input-state word, or null for a word
// outside the eight values.
const char* GuidanceText(uint16_t inputState);
