#pragma once

#include <cstdint>

// Low-level input of the image file, behind an interface that tests replace
// to make reads fail. Paths are code page 932, as everywhere in the tool.
namespace platform::file {

using Handle = int;  // negative: not open

class Files {
 public:
  virtual ~Files() = default;
  // Opens a regular file for reading without denying anyone access; a
  // folder, device or pipe does not open.
  virtual Handle OpenReadBinary(const char* path) = 0;
  // The count read, 0 at the end of the file, negative on error.
  virtual long Read(Handle h, void* buffer, unsigned count) = 0;
  // The length in bytes, negative on error.
  virtual int64_t Length(Handle h) = 0;
  virtual void Close(Handle h) = 0;
};

Files& Current();

class ScopedFiles {
 public:
  explicit ScopedFiles(Files& files);
  ~ScopedFiles();
  ScopedFiles(const ScopedFiles&) = delete;
  ScopedFiles& operator=(const ScopedFiles&) = delete;

 private:
  Files* previous_;
};

}  // namespace platform::file
