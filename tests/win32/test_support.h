// What the Win32-layer tests share: a fresh folder per test with files made the way a user
// or another program would, a plain host window, message pumping and pixels read back from
// the screen.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "core/text.h"
#include "toolkit/surface.h"

namespace orv::win::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const Text& Path() const { return path_; }
  Text operator/(TextView name) const { return path_ + u"\\" + Text(name); }

 private:
  Text path_;
};

void MakeFile(const Text& path, std::string_view bytes = {});
void MakeFolder(const Text& path);
void SetAttributes(const Text& path, DWORD attributes);
// The file's bytes, or "<missing>" when it cannot be read.
std::string FileBytes(const Text& path);

// A visible topmost pop-up with a client area of w x h at (x, y), painting white.
HWND CreatePlainWindow(int x, int y, int w, int h);
// Lets the waiting messages run; true when a WM_QUIT was among them.
bool PumpMessages();
// The client area of `window` as the screen shows it now.
Surface ReadClient(HWND window);

}  // namespace orv::win::test
