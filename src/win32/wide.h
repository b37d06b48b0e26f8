// The program's UTF-16 text and the wide-character Windows APIs use the same code units.
#pragma once
#include <string>

#include "core/text.h"

namespace orv::win {

inline std::wstring Wide(TextView text) { return std::wstring(text.begin(), text.end()); }
inline Text FromWide(const wchar_t* text) {
  return text ? Text(reinterpret_cast<const char16_t*>(text)) : Text();
}
inline Text FromWide(const std::wstring& text) { return Text(text.begin(), text.end()); }

}  // namespace orv::win
