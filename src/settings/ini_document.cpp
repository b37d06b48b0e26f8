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

Text DecodeLine(std::string_view raw) {
  const auto marker = FindMarker(raw);
  if (marker == std::string_view::npos) return cp932::Decode(raw);
  return cp932::Decode(raw.substr(0, marker)) + FromUtf8(raw.substr(marker + kUtf8Marker.size()));
}

std::string EncodeLine(TextView line) {
  if (auto bytes = cp932::Encode(line)) return *bytes;
  // Keep the key (and anything else before the value) in Shift-JIS where it can be.
  const auto eq = line.find(u'=');
  const TextView head = eq == TextView::npos ? TextView() : line.substr(0, eq + 1);
  const TextView value = eq == TextView::npos ? line : line.substr(eq + 1);
  auto headBytes = cp932::Encode(head);
  if (!headBytes) return std::string(kUtf8Marker) + ToUtf8(line);
  return *headBytes + std::string(kUtf8Marker) + ToUtf8(value);
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    const std::string_view raw =
        bytes.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    doc.lines_.push_back(Line{DecodeLine(raw), std::string(raw), false});
    if (end == std::string_view::npos) break;
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.written ? EncodeLine(line.text) : line.raw;
    out += "\r\n";
  }
  return out;
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
