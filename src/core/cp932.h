// Code page 932 (Shift-JIS as Windows defines it), independent of the system's code page,
// so the settings file reads the same on every system.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/text.h"

namespace orv::cp932 {

// The first byte of a two-byte character.
bool IsLeadByte(unsigned char b);

// Every byte sequence decodes; bytes that name no character become U+FFFD.
Text Decode(std::string_view bytes);
// nullopt when some character has no code in the page.
std::optional<std::string> Encode(TextView text);

}  // namespace orv::cp932
