#include "scripted_mci_device.h"

#include <algorithm>
#include <cstdio>

#include "core/cp932.h"

namespace orv::test {
namespace {

// Error codes as the real interface numbers them.
constexpr int32_t kUnrecognizedCommand = 261;
constexpr int32_t kInvalidDeviceName = 263;
constexpr int32_t kCannotLoadDriver = 266;
constexpr int32_t kBadInteger = 270;
constexpr int32_t kFileNotFound = 275;
constexpr int32_t kDeviceNotReady = 276;
constexpr int32_t kInternal = 277;
constexpr int32_t kOutOfRange = 282;
constexpr int32_t kDuplicateAlias = 289;
constexpr int32_t kBadTimeFormat = 293;
constexpr int32_t kNoClosingQuote = 294;

constexpr int32_t kFramesPerSecond = 75;

Text Lower(TextView text) {
  Text out(text);
  for (auto& c : out) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return out;
}

Text Ascii(const std::string& s) { return Text(s.begin(), s.end()); }

// Splits a command into words at blanks; a word in double quotes keeps its blanks.
std::optional<std::vector<Text>> SplitWords(const Text& command) {
  std::vector<Text> words;
  size_t i = 0;
  while (i < command.size()) {
    if (command[i] == u' ') {
      ++i;
    } else if (command[i] == u'"') {
      const size_t close = command.find(u'"', i + 1);
      if (close == Text::npos) return std::nullopt;
      words.push_back(command.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      const size_t end = std::min(command.find(u' ', i), command.size());
      words.push_back(command.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

bool AllDigits(const Text& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

int32_t ToInt(const Text& digits) {
  int32_t value = 0;
  for (char16_t c : digits) value = value * 10 + (c - u'0');
  return value;
}

std::string Join(const std::vector<Text>& words, size_t from) {
  std::string out;
  for (size_t i = from; i < words.size(); ++i) {
    if (i > from) out += ' ';
    out += ToUtf8(Lower(words[i]));
  }
  return out;
}

}  // namespace

void ScriptedMciDevice::InsertDisc(std::vector<int32_t> trackSeconds) {
  tracks_.clear();
  for (int32_t s : trackSeconds) tracks_.push_back(s * 1000);
  cdPos_ = 0;
  cdPlaying_ = false;
}

void ScriptedMciDevice::AddMusicFile(const Text& path, int32_t lengthMs) {
  files_[path] = lengthMs;
}

void ScriptedMciDevice::Advance(int32_t ms) {
  if (cdPlaying_) {
    cdPos_ += ms;
    if (cdPos_ >= cdEnd_) {
      cdPos_ = cdEnd_;
      cdPlaying_ = false;
    }
  }
  if (fileOpen_ && filePlaying_) {
    filePos_ += ms;
    if (filePos_ >= fileLength_) {
      filePos_ = fileLength_;
      filePlaying_ = false;
    }
  }
}

std::vector<std::string> ScriptedMciDevice::Commands() const {
  std::vector<std::string> out;
  for (const auto& s : sent) out.push_back(s.command);
  return out;
}

int32_t ScriptedMciDevice::TrackStart(int32_t track) const {
  int32_t start = 0;
  for (int32_t i = 1; i < track && i <= static_cast<int32_t>(tracks_.size()); ++i) {
    start += tracks_[i - 1];
  }
  return start;
}

int32_t ScriptedMciDevice::CdTrack() const {
  const auto count = static_cast<int32_t>(tracks_.size());
  for (int32_t t = 1; t < count; ++t) {
    if (cdPos_ < TrackStart(t + 1)) return t;
  }
  return count;
}

int32_t ScriptedMciDevice::CdMsIntoTrack() const { return cdPos_ - TrackStart(CdTrack()); }

std::optional<std::string> ScriptedMciDevice::OpenedFile() const {
  if (!fileOpen_) return std::nullopt;
  return ToUtf8(filePath_);
}

std::optional<std::string> ScriptedMciDevice::ToAnsi(TextView text) {
  if (codePage == CodePage::Japanese) return cp932::Encode(text);
  std::string out;
  for (char16_t c : text) {
    if (c > 0xFF) return std::nullopt;
    out.push_back(static_cast<char>(c));
  }
  return out;
}

Text ScriptedMciDevice::FromAnsi(std::string_view bytes) {
  if (codePage == CodePage::Japanese) return cp932::Decode(bytes);
  Text out;
  for (char b : bytes) out.push_back(static_cast<unsigned char>(b));
  return out;
}

int32_t ScriptedMciDevice::SendStringA(const std::string& command, std::string* reply,
                                       uint32_t replySize) {
  const Text text = FromAnsi(command);
  Text answer;
  const int32_t code = Execute(text, answer);
  sent.push_back({ToUtf8(text), replySize, false, command, code});
  if (reply) {
    if (code != 0) answer.clear();
    if (replySize == 0) answer.clear();
    if (answer.size() >= replySize && replySize > 0) answer.resize(replySize - 1);
    *reply = *ToAnsi(answer);
  }
  return code;
}

int32_t ScriptedMciDevice::SendStringW(const Text& command, Text* reply, uint32_t replySize) {
  Text answer;
  const int32_t code = Execute(command, answer);
  sent.push_back({ToUtf8(command), replySize, true, std::string(), code});
  if (reply) {
    if (code != 0 || replySize == 0) answer.clear();
    if (answer.size() >= replySize && replySize > 0) answer.resize(replySize - 1);
    *reply = answer;
  }
  return code;
}

std::optional<std::string> ScriptedMciDevice::GetErrorStringA(int32_t code, uint32_t size) {
  static const std::map<int32_t, std::string> texts = {
      {kUnrecognizedCommand, "The driver cannot recognize the specified command."},
      {kInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
      {kCannotLoadDriver, "There is an undetectable problem in loading the specified device driver."},
      {kBadInteger, "The specified integer is invalid for this command."},
      {kFileNotFound, "Cannot find the specified file."},
      {kDeviceNotReady, "The device is not ready."},
      {kOutOfRange, "The specified parameter is out of range for the specified command."},
  };
  errorLookupSizes.push_back(size);
  const auto it = texts.find(code);
  if (!errorTextsAvailable || it == texts.end() || size == 0) return std::nullopt;
  return it->second.substr(0, size - 1);
}

void ScriptedMciDevice::PlaySoundA(const std::string* name, uint32_t flags) {
  sounds.push_back({name ? std::optional(ToUtf8(FromAnsi(*name))) : std::nullopt, flags, false});
}

void ScriptedMciDevice::PlaySoundW(const Text& name, uint32_t flags) {
  sounds.push_back({ToUtf8(name), flags, true});
}

std::optional<Text> ScriptedMciDevice::ShortPath(const Text& path) {
  const auto it = shortPaths.find(path);
  if (it == shortPaths.end()) return std::nullopt;
  return it->second;
}

int32_t ScriptedMciDevice::Execute(const Text& command, Text& reply) {
  const auto words = SplitWords(command);
  if (!words) return kNoClosingQuote;
  if (words->size() < 2) return kUnrecognizedCommand;
  const Text verb = Lower((*words)[0]);
  const Text device = Lower((*words)[1]);
  if (device == u"cdaudio") return ExecuteCd(*words, reply);
  if (verb == u"open") return OpenFile(*words);
  if (device == u"mp3play" && fileOpen_) return ExecuteFile(*words, reply);
  return kInvalidDeviceName;
}

int32_t ScriptedMciDevice::ExecuteCd(const Words& words, Text& reply) {
  if (!cdDrive) return kCannotLoadDriver;
  const Text verb = Lower(words[0]);
  const std::string rest = Join(words, 2);
  if (verb == u"open" || verb == u"close") return rest.empty() ? 0 : kUnrecognizedCommand;
  if (verb == u"set") {
    if (words.size() != 5 || rest.rfind("time format ", 0) != 0) return kUnrecognizedCommand;
    const Text format = Lower(words[4]);
    if (format != u"tmsf" && format != u"msf" && format != u"milliseconds") return kBadTimeFormat;
    cdFormat_ = format;
    return 0;
  }
  if (verb == u"stop") {
    cdPlaying_ = false;
    return 0;
  }
  if (tracks_.empty()) return kDeviceNotReady;
  if (verb == u"status") {
    if (rest == "mode") {
      reply = cdPlaying_ ? u"playing" : u"stopped";
    } else if (rest == "current track") {
      reply = Ascii(std::to_string(CdTrack()));
    } else if (rest == "number of tracks") {
      reply = Ascii(std::to_string(tracks_.size()));
    } else if (rest == "position") {
      reply = FormatCdPosition(cdPos_);
    } else if (words.size() == 5 && rest.rfind("position track ", 0) == 0) {
      if (!AllDigits(words[4])) return kBadInteger;
      const int32_t track = ToInt(words[4]);
      if (track < 1 || track > static_cast<int32_t>(tracks_.size())) return kOutOfRange;
      reply = FormatCdPosition(TrackStart(track));
    } else {
      return kUnrecognizedCommand;
    }
    return 0;
  }
  if (verb == u"play") {
    int32_t from = cdPos_;
    int32_t to = DiscLength();
    for (size_t i = 2; i < words.size(); i += 2) {
      if (i + 1 >= words.size()) return kUnrecognizedCommand;
      const Text key = Lower(words[i]);
      int32_t& target = key == u"from" ? from : to;
      if (key != u"from" && key != u"to") return kUnrecognizedCommand;
      if (const int32_t code = ParseCdPosition(words[i + 1], target)) return code;
    }
    cdEnd_ = to;
    cdPos_ = from;
    cdPlaying_ = from < to;
    return 0;
  }
  return kUnrecognizedCommand;
}

// Positions as the current time format writes them: "tt:mm:ss:ff" (tmsf, within a track),
// "mm:ss:ff" (msf, from the start of the disc) or milliseconds. Fields may be left off at
// the end.
int32_t ScriptedMciDevice::ParseCdPosition(const Text& text, int32_t& ms) const {
  std::vector<int32_t> fields;
  size_t start = 0;
  while (true) {
    const size_t colon = std::min(text.find(u':', start), text.size());
    const Text field = text.substr(start, colon - start);
    if (!AllDigits(field)) return kBadInteger;
    fields.push_back(ToInt(field));
    if (colon == text.size()) break;
    start = colon + 1;
  }
  if (cdFormat_ == u"milliseconds") {
    if (fields.size() != 1) return kBadInteger;
    ms = fields[0];
  } else if (cdFormat_ == u"msf") {
    if (fields.size() > 3) return kBadInteger;
    fields.resize(3, 0);
    ms = fields[0] * 60000 + fields[1] * 1000 + fields[2] * 1000 / kFramesPerSecond;
  } else {
    if (fields.size() > 4) return kBadInteger;
    fields.resize(4, 0);
    if (fields[0] < 1 || fields[0] > static_cast<int32_t>(tracks_.size())) return kOutOfRange;
    ms = TrackStart(fields[0]) + fields[1] * 60000 + fields[2] * 1000 +
         fields[3] * 1000 / kFramesPerSecond;
  }
  return ms <= DiscLength() ? 0 : kOutOfRange;
}

Text ScriptedMciDevice::FormatCdPosition(int32_t ms) const {
  char text[32];
  if (cdFormat_ == u"milliseconds") {
    std::snprintf(text, sizeof text, "%d", ms);
  } else if (cdFormat_ == u"msf") {
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", ms / 60000, ms / 1000 % 60,
                  ms % 1000 * kFramesPerSecond / 1000);
  } else {
    int32_t track = 1;
    while (track < static_cast<int32_t>(tracks_.size()) && ms >= TrackStart(track + 1)) ++track;
    const int32_t into = ms - TrackStart(track);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", track, into / 60000,
                  into / 1000 % 60, into % 1000 * kFramesPerSecond / 1000);
  }
  return Ascii(text);
}

int32_t ScriptedMciDevice::OpenFile(const Words& words) {
  // open <element> type <device type> alias <name>
  Text type;
  Text alias;
  for (size_t i = 2; i < words.size(); i += 2) {
    if (i + 1 >= words.size()) return kUnrecognizedCommand;
    const Text key = Lower(words[i]);
    if (key == u"type") {
      type = Lower(words[i + 1]);
    } else if (key == u"alias") {
      alias = Lower(words[i + 1]);
    } else {
      return kUnrecognizedCommand;
    }
  }
  if (type != u"mpegvideo" || alias != u"mp3play") return kInvalidDeviceName;
  if (fileOpen_) return kDuplicateAlias;
  if (waveDevices <= 0) return kInternal;  // the decoder finds no audio output
  const auto it = files_.find(words[1]);
  if (it == files_.end()) return kFileNotFound;
  fileOpen_ = true;
  filePath_ = it->first;
  fileLength_ = it->second;
  filePos_ = 0;
  filePlaying_ = false;
  return 0;
}

int32_t ScriptedMciDevice::ExecuteFile(const Words& words, Text& reply) {
  const Text verb = Lower(words[0]);
  const std::string rest = Join(words, 2);
  if (verb == u"status") {
    if (rest == "mode") {
      reply = filePlaying_ ? u"playing" : u"stopped";
    } else if (rest == "position") {
      reply = Ascii(std::to_string(filePos_));
    } else {
      return kUnrecognizedCommand;
    }
    return 0;
  }
  if (verb == u"play") {
    if (words.size() == 4 && Lower(words[2]) == u"from") {
      if (!AllDigits(words[3])) return kBadInteger;
      filePos_ = ToInt(words[3]);
      if (filePos_ > fileLength_) return kOutOfRange;
    } else if (words.size() != 2) {
      return kUnrecognizedCommand;
    }
    filePlaying_ = filePos_ < fileLength_;
    return 0;
  }
  if (verb == u"stop") {
    filePlaying_ = false;
    return 0;
  }
  if (verb == u"close") {
    fileOpen_ = false;
    filePlaying_ = false;
    return 0;
  }
  return kUnrecognizedCommand;
}

}  // namespace orv::test
