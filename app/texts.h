#pragma once

// The system's texts are written in UTF-8 in the source and used as code page
// 932 bytes. Cp932 converts a literal once and keeps it for the process.
const char* Cp932(const char* utf8Literal);
