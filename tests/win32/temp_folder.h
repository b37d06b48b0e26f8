// A fresh folder for one test, removed with everything in it afterwards, and small helpers
// that make files the way a user or another program would.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "core/text.h"

namespace orv::win::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const Text& Path() const { return path_; }
  // The folder followed by a backslash and `name`.
  Text operator/(TextView name) const;

 private:
  Text path_;
};

// Writes `bytes` to a new file (replacing any), as another program would.
void MakeFile(const Text& path, std::string_view bytes = {});
void MakeFolder(const Text& path);
// The file's bytes, or "<missing>" when it cannot be read.
std::string FileBytes(const Text& path);
// Removes a folder and all it holds, read-only files included.
void RemoveTree(const Text& path);

}  // namespace orv::win::test
