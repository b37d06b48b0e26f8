#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace orv::num {
namespace {

// Longest prefix of `s` that reads as a decimal number; sets `used` to its length.
std::optional<double> ReadPrefix(const std::string& s, size_t& used) {
  used = 0;
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // from_chars takes no '+' and would read "inf"/"nan": only digits and '.' may start here.
  if (i >= s.size() || !(std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) {
    return std::nullopt;
  }
  std::string body = s.substr(i);
  // The system's conversion also takes 'D' as an exponent letter.
  for (auto& c : body) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  double value = 0;
  const auto res = std::from_chars(body.data(), body.data() + body.size(), value);
  if (res.ec == std::errc::invalid_argument) return std::nullopt;
  if (res.ec == std::errc::result_out_of_range) {
    // strtod tells overflow (HUGE_VAL) from underflow (0); the program never sets a locale.
    value = std::strtod(body.substr(0, static_cast<size_t>(res.ptr - body.data())).c_str(), nullptr);
  }
  used = i + static_cast<size_t>(res.ptr - body.data());
  return negative ? -value : value;
}

std::string Narrow(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '\x7F');
  return out;
}

template <typename T>
std::optional<T> Fit(double value) {
  if (std::isnan(value) || value < static_cast<double>(std::numeric_limits<T>::min()) ||
      value > static_cast<double>(std::numeric_limits<T>::max())) {
    return std::nullopt;
  }
  return static_cast<T>(value);
}

}  // namespace

std::optional<double> ParseNumber(TextView text) {
  const std::string s = Narrow(TrimBlanks(text));
  size_t used = 0;
  auto value = ReadPrefix(s, used);
  if (!value || used != s.size() || !std::isfinite(*value)) return std::nullopt;
  return value;
}

double ReadLeadingNumber(TextView text) {
  std::string s;
  for (char16_t c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    s.push_back(c < 0x80 ? static_cast<char>(c) : '\x7F');
  }
  size_t used = 0;
  auto value = ReadPrefix(s, used);
  return value ? *value : 0.0;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }  // default mode: to even

std::optional<int16_t> RoundToInt16(double value) { return Fit<int16_t>(RoundHalfEven(value)); }
std::optional<int32_t> RoundToInt32(double value) { return Fit<int32_t>(RoundHalfEven(value)); }
std::optional<int16_t> FloorToInt16(double value) { return Fit<int16_t>(std::floor(value)); }
std::optional<int32_t> FloorToInt32(double value) { return Fit<int32_t>(std::floor(value)); }

std::optional<int16_t> Add16(int16_t a, int16_t b) { return Fit<int16_t>(double(a) + double(b)); }

Text FormatNumber(int64_t value) {
  const std::string s = (value >= 0 ? " " : "") + std::to_string(value);
  return Text(s.begin(), s.end());
}

}  // namespace orv::num
