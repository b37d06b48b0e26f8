// Writes the program's generated artwork as binary PPM files into a folder:
//   make_artwork OUTDIR            preview_still.ppm and orvane.ico
//   make_artwork OUTDIR --dialog   also the dialog's pictures, for looking at them
#include <cstdio>
#include <string>

#include "icon.h"
#include "preview_still.h"
#include "dialog/dialog_art.h"

namespace {

bool WritePpm(const std::string& path, const orv::Surface& s) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", s.Width(), s.Height());
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const uint32_t c = s.Pixel(x, y);
      const unsigned char rgb[3] = {static_cast<unsigned char>(c >> 16),
                                    static_cast<unsigned char>(c >> 8),
                                    static_cast<unsigned char>(c)};
      std::fwrite(rgb, 1, 3, f);
    }
  }
  return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_artwork OUTDIR [--dialog]\n");
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = WritePpm(dir + "/preview_still.ppm", orv::art::RenderPreviewStill());
  {
    const std::string icon = orv::art::RenderIconFile();
    std::FILE* f = std::fopen((dir + "/orvane.ico").c_str(), "wb");
    ok = f && std::fwrite(icon.data(), 1, icon.size(), f) == icon.size() && ok;
    if (f) ok = std::fclose(f) == 0 && ok;
  }
  if (argc > 2 && std::string(argv[2]) == "--dialog") {
    const orv::DialogArt art = orv::MakeDialogArt();
    ok = WritePpm(dir + "/texture.ppm", art.texture) && ok;
    ok = WritePpm(dir + "/plate.ppm", art.plate) && ok;
    ok = WritePpm(dir + "/button_pressed.ppm", art.buttonPressed) && ok;
    ok = WritePpm(dir + "/button_released.ppm", art.buttonReleased) && ok;
    ok = WritePpm(dir + "/option_off.ppm", art.optionOff) && ok;
    ok = WritePpm(dir + "/option_on.ppm", art.optionOn) && ok;
    ok = WritePpm(dir + "/kind_off.ppm", art.kindOff) && ok;
    ok = WritePpm(dir + "/kind_on.ppm", art.kindOn) && ok;
  }
  if (!ok) std::fprintf(stderr, "make_artwork: cannot write into %s\n", dir.c_str());
  return ok ? 0 : 1;
}
