#include "core/cp932.h"

#include <algorithm>
#include <cstdint>

namespace orv::cp932 {
namespace {

struct CodePair {
  uint16_t from;
  uint16_t to;
};
#include "core/cp932_table.inc"

std::optional<char16_t> DecodeSingle(unsigned char b) {
  if (b <= 0x80) return static_cast<char16_t>(b);
  if (b >= 0xA1 && b <= 0xDF) return static_cast<char16_t>(0xFF61 + (b - 0xA1));
  if (b == 0xA0) return u'\uF8F0';
  if (b >= 0xFD) return static_cast<char16_t>(0xF8F1 + (b - 0xFD));
  return std::nullopt;
}

std::optional<uint16_t> Find(const CodePair* begin, const CodePair* end, uint16_t key) {
  const auto* it =
      std::lower_bound(begin, end, key, [](const CodePair& p, uint16_t k) { return p.from < k; });
  if (it == end || it->from != key) return std::nullopt;
  return it->to;
}

}  // namespace

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

Text Decode(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (IsLeadByte(b) && i + 1 < bytes.size()) {
      const auto code = static_cast<uint16_t>((b << 8) | static_cast<unsigned char>(bytes[i + 1]));
      if (auto u = Find(std::begin(kDecode), std::end(kDecode), code)) {
        out.push_back(static_cast<char16_t>(*u));
        ++i;
        continue;
      }
      out.push_back(u'\uFFFD');
      continue;
    }
    out.push_back(DecodeSingle(b).value_or(u'\uFFFD'));
  }
  return out;
}

std::optional<std::string> Encode(TextView text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    if (c <= 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      out.push_back(static_cast<char>(0xA1 + (c - 0xFF61)));
    } else if (c == 0xF8F0) {
      out.push_back(static_cast<char>(0xA0));
    } else if (c >= 0xF8F1 && c <= 0xF8F3) {
      out.push_back(static_cast<char>(0xFD + (c - 0xF8F1)));
    } else if (auto code = Find(std::begin(kEncode), std::end(kEncode), c)) {
      out.push_back(static_cast<char>(*code >> 8));
      out.push_back(static_cast<char>(*code & 0xFF));
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace orv::cp932
