#pragma once

// Blank-outs written into the message field before a text.
inline constexpr char BLANK_LONG[] =
    "                                                              ";        // 62 spaces
inline constexpr char BLANK_SHORT[] = "                                  ";  // 34 spaces
static_assert(sizeof BLANK_LONG == 63 && sizeof BLANK_SHORT == 35);
