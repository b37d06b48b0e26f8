#include "settings/ini_document.h"

#include "core/cp932.h"

namespace orv {
namespace {

constexpr std::string_view kUtf8Marker = "\xEF\xBB\xBF";

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<Text> SectionName(TextView line) {
  const Text t = TrimBlanks(line);
  if (t.empty() || t.front() != u'[') return std::nullopt;
  const auto close = t.find(u']');
  return TrimBlanks(TextView(t).substr(1, close == Text::npos ? Text::npos : close - 1));
}

// Key and raw value of a "key=value" line.
std::optional<std::pair<Text, Text>> KeyValue(TextView line) {
  const auto eq = line.find(u'=');
  if (eq == TextView::npos) return std::nullopt;
  return std::pair{TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1))};
}

Text Unquote(Text value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Where the UTF-8 marker starts, looking only at character boundaries: inside a Shift-JIS
// text the same three bytes can occur across two characters (a trail byte EF, then ｻｿ).
size_t FindMarker(std::string_view raw) {
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw.substr(i).starts_with(kUtf8Marker)) return i;
    if (cp932::IsLeadByte(static_cast<unsigned char>(raw[i]))) ++i;
  }
  return std::string_view::npos;
}

Text DecodeShiftJisLine(std::string_view raw) {
  const auto marker = FindMarker(raw);
  if (marker == std::string_view::npos) return cp932::Decode(raw);
  return cp932::Decode(raw.substr(0, marker)) + FromUtf8(raw.substr(marker + kUtf8Marker.size()));
}

std::string EncodeShiftJisLine(TextView line) {
  if (auto bytes = cp932::Encode(line)) return *bytes;
  // Keep the key (and anything else before the value) in Shift-JIS where it can be.
  const auto eq = line.find(u'=');
  const TextView head = eq == TextView::npos ? TextView() : line.substr(0, eq + 1);
  const TextView value = eq == TextView::npos ? line : line.substr(eq + 1);
  auto headBytes = cp932::Encode(head);
  if (!headBytes) return std::string(kUtf8Marker) + ToUtf8(line);
  return *headBytes + std::string(kUtf8Marker) + ToUtf8(value);
}

using Encoding = IniDocument::Encoding;

std::string_view ByteOrderMark(Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf8: return kUtf8Marker;
    case Encoding::kUtf16Le: return "\xFF\xFE";
    case Encoding::kUtf16Be: return "\xFE\xFF";
    case Encoding::kShiftJis: break;
  }
  return {};
}

Encoding DetectEncoding(std::string_view bytes) {
  for (const Encoding e : {Encoding::kUtf16Le, Encoding::kUtf16Be, Encoding::kUtf8}) {
    if (bytes.starts_with(ByteOrderMark(e))) return e;
  }
  return Encoding::kShiftJis;
}

bool IsUtf16(Encoding encoding) {
  return encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be;
}

// The code unit at byte offset i: a byte, or in UTF-16 the two bytes from there.
char16_t UnitAt(std::string_view bytes, size_t i, Encoding encoding) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  if (encoding == Encoding::kUtf16Le) return static_cast<char16_t>(byte(i) | (byte(i + 1) << 8));
  if (encoding == Encoding::kUtf16Be) return static_cast<char16_t>((byte(i) << 8) | byte(i + 1));
  return byte(i);
}

Text DecodeLine(std::string_view raw, Encoding encoding) {
  if (encoding == Encoding::kShiftJis) return DecodeShiftJisLine(raw);
  if (encoding == Encoding::kUtf8) return FromUtf8(raw);
  Text text;
  text.reserve(raw.size() / 2);
  for (size_t i = 0; i < raw.size(); i += 2) text.push_back(UnitAt(raw, i, encoding));
  return text;
}

std::string EncodeLine(TextView line, Encoding encoding) {
  if (encoding == Encoding::kShiftJis) return EncodeShiftJisLine(line);
  if (encoding == Encoding::kUtf8) return ToUtf8(line);
  std::string bytes;
  bytes.reserve(line.size() * 2);
  const bool littleEndian = encoding == Encoding::kUtf16Le;
  for (const char16_t unit : line) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes.push_back(littleEndian ? low : high);
    bytes.push_back(littleEndian ? high : low);
  }
  return bytes;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  const Encoding encoding = doc.encoding_ = DetectEncoding(bytes);
  std::string_view body = bytes.substr(ByteOrderMark(encoding).size());
  // Line ends are whole units: in UTF-16 a 0A or 0D byte may be half of another character.
  const size_t unit = IsUtf16(encoding) ? 2 : 1;
  doc.trailer_ = body.substr(body.size() - body.size() % unit);
  body.remove_suffix(doc.trailer_.size());
  const auto isLineEnd = [&](size_t i) {
    const char16_t c = UnitAt(body, i, encoding);
    return c == u'\r' || c == u'\n';
  };
  size_t start = 0;
  while (start < body.size()) {
    size_t end = start;
    while (end < body.size() && !isLineEnd(end)) end += unit;
    const std::string_view raw = body.substr(start, end - start);
    doc.lines_.push_back(Line{DecodeLine(raw, encoding), std::string(raw), false});
    if (end == body.size()) break;
    start = end + unit;
    if (UnitAt(body, end, encoding) == u'\r' && start < body.size() &&
        UnitAt(body, start, encoding) == u'\n') {
      start += unit;
    }
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out(ByteOrderMark(encoding_));
  const std::string lineEnd = EncodeLine(u"\r\n", encoding_);
  for (const Line& line : lines_) {
    out += line.written ? EncodeLine(line.text, encoding_) : line.raw;
    out += lineEnd;
  }
  return out + trailer_;
}

std::optional<Text> IniDocument::Get(TextView section, TextView key) const {
  bool inSection = false, seenSection = false;
  for (const Line& l : lines_) {
    const Text& line = l.text;
    if (auto name = SectionName(line)) {
      if (inSection) return std::nullopt;  // only the first matching section counts
      inSection = !seenSection && EqualsAsciiCaseBlind(*name, TrimBlanks(section));
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    if (auto kv = KeyValue(line); kv && EqualsAsciiCaseBlind(kv->first, TrimBlanks(key))) {
      return Unquote(kv->second);
    }
  }
  return std::nullopt;
}

void IniDocument::Set(TextView section, TextView key, TextView value) {
  const Line newLine{TrimBlanks(key) + u"=" + Text(value), {}, true};
  size_t sectionLine = lines_.size(), lastContent = 0;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Text& line = lines_[i].text;
    if (auto name = SectionName(line)) {
      if (sectionLine != lines_.size()) break;
      if (EqualsAsciiCaseBlind(*name, TrimBlanks(section))) sectionLine = lastContent = i;
      continue;
    }
    if (sectionLine == lines_.size()) continue;
    if (auto kv = KeyValue(line); kv && EqualsAsciiCaseBlind(kv->first, TrimBlanks(key))) {
      lines_[i] = newLine;
      return;
    }
    if (!TrimBlanks(line).empty()) lastContent = i;
  }
  if (sectionLine == lines_.size()) {
    lines_.push_back(Line{u"[" + TrimBlanks(section) + u"]", {}, true});
    lines_.push_back(newLine);
    return;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1, newLine);
}

}  // namespace orv
