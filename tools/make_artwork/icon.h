// The program's icon: a picture under a blue sky struck by an impact, a black crater with
// red fragments flying out of it, drawn at each size an icon file holds.
#pragma once
#include <cstdint>
#include <string>

namespace orv::art {

// The whole .ico file: 16, 24, 32, 48 and 256 pixels, 32 bits with alpha.
std::string RenderIconFile();

}  // namespace orv::art
