// The music module against a multimedia interface that answers from the input: any code,
// any reply text (cut to the reply buffer as the system cuts it), in either code page, for
// every command of the CD watch, the track keys and the MP3 watch.
//
// Checked: commands are single lines and the music file's name is quoted whole; the CD
// watch gives up at once when the disc cannot be queried; a reply never adds words to a
// command built from it; the MP3 mode test reads "playing" exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "settings/settings.h"
#include "sound/mci_music_player.h"

namespace {

using orv::Text;

struct Sent {
  Text command;
  int32_t code = 0;
  Text reply;
};

class AnsweringMci final : public orv::MciInterface {
 public:
  AnsweringMci(FuzzedDataProvider& in, std::vector<Sent>& log, bool japanese)
      : in_(in), log_(log), japanese_(japanese) {}

  std::optional<std::string> ToAnsi(orv::TextView text) override {
    if (japanese_) return orv::cp932::Encode(text);
    std::string out;
    for (char16_t c : text) {
      if (c > 0xFF) return std::nullopt;
      out.push_back(static_cast<char>(c));
    }
    return out;
  }
  Text FromAnsi(std::string_view bytes) override {
    if (japanese_) return orv::cp932::Decode(bytes);
    Text out;
    for (char b : bytes) out.push_back(static_cast<unsigned char>(b));
    return out;
  }
  int32_t SendStringA(const std::string& command, std::string* reply, uint32_t replySize) override {
    const int32_t code = Code();
    std::string answer = code == 0 && reply && replySize > 0 ? Answer(replySize - 1) : "";
    answer = answer.substr(0, answer.find('\0'));  // the buffer is read up to its first NUL
    if (reply) *reply = answer;
    log_.push_back({FromAnsi(command), code, FromAnsi(answer)});
    return code;
  }
  int32_t SendStringW(const Text& command, Text* reply, uint32_t replySize) override {
    const int32_t code = Code();
    Text answer;
    if (code == 0 && reply && replySize > 0) {
      const std::string bytes = Answer(replySize - 1);
      answer = orv::cp932::Decode(bytes).substr(0, replySize - 1);
      answer = answer.substr(0, answer.find(u'\0'));
    }
    if (reply) *reply = answer;
    log_.push_back({command, code, answer});
    return code;
  }
  std::optional<std::string> GetErrorStringA(int32_t, uint32_t size) override {
    if (in_.ConsumeBool()) return std::nullopt;
    return in_.ConsumeRandomLengthString(size > 0 ? size - 1 : 0);
  }
  void PlaySoundA(const std::string*, uint32_t) override {}
  void PlaySoundW(const Text&, uint32_t) override {}
  std::optional<Text> ShortPath(const Text&) override {
    if (in_.ConsumeBool()) return std::nullopt;
    return orv::cp932::Decode(in_.ConsumeRandomLengthString(40));
  }
  int32_t WaveOutDeviceCount() override { return in_.ConsumeIntegralInRange(-1, 2); }

 private:
  int32_t Code() {
    static constexpr int32_t kCodes[] = {0, 0, 0, 0, 261, 263, 266, 270, 275, 276, 277, 282, -1};
    return in_.ConsumeBool() ? kCodes[in_.ConsumeIntegralInRange<size_t>(0, std::size(kCodes) - 1)]
                             : in_.ConsumeIntegral<int32_t>();
  }
  std::string Answer(size_t most) {
    static const char* const kReplies[] = {
        "playing", "stopped", "paused", "not ready", "open", "seeking", "playingX", "Playing",
        "1", "2", "3", "99", "0", "-1", "32767", "32768", "-32769", "1e308", "1e400", "nan",
        " 7", "7 ", "07", "3.5", "2.5", "01:00:00:00", "03:02:01:00", "99:99:99:99", "",
        "Error", "error 5", "ERR", "1 wait", "01:00:00:00 wait", "00:00:00 to 0 notify"};
    std::string answer =
        in_.ConsumeBool()
            ? kReplies[in_.ConsumeIntegralInRange<size_t>(0, std::size(kReplies) - 1)]
            : in_.ConsumeRandomLengthString(most + 8);
    if (answer.size() > most) answer.resize(most);
    return answer;
  }

  FuzzedDataProvider& in_;
  std::vector<Sent>& log_;
  bool japanese_;
};

bool HasErr(const Text& text) { return orv::AsciiUpper(text).find(u"ERR") != Text::npos; }

std::vector<Text> Words(const Text& command) {
  std::vector<Text> words;
  size_t i = 0;
  while (i < command.size()) {
    if (command[i] == u' ') {
      ++i;
      continue;
    }
    const size_t end = std::min(command.find(u' ', i), command.size());
    words.push_back(command.substr(i, end - i));
    i = end;
  }
  return words;
}

void CheckCommands(const std::vector<Sent>& log, size_t from, const Text& file) {
  for (size_t i = from; i < log.size(); ++i) {
    const Text& c = log[i].command;
    if (c.starts_with(u"open \"")) {
      // The music file's name goes whole between the quotes, whatever it holds.
      if (c != u"open \"" + file + u"\" type MPEGVideo Alias MP3Play") std::abort();
      continue;
    }
    if (c.empty() || c.find_first_of(Text(u"\0\r\n", 3)) != Text::npos) std::abort();
    // A play of the disc is "play cdaudio" with at most a from and a to, one word each.
    if (c.starts_with(u"play cdaudio")) {
      const auto words = Words(c);
      if (words.size() != 2 && words.size() != 4 && words.size() != 6) std::abort();
      if (words.size() >= 4 && words[2] != u"from" && words[2] != u"to") std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<Sent> log;
  const bool japanese = in.ConsumeBool();
  orv::Settings settings;
  settings.BgmRepeat = in.ConsumeBool() ? in.ConsumeIntegralInRange<int16_t>(0, 3)
                                        : in.ConsumeIntegral<int16_t>();
  settings.BgmFile = in.ConsumeBool() ? Text(u"C:\\m\\a tune.mp3")
                                      : orv::cp932::Decode(in.ConsumeRandomLengthString(64));
  orv::Sound_02 music(settings, std::make_unique<AnsweringMci>(in, log, japanese));

  for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
    const size_t first = log.size();
    switch (in.ConsumeIntegralInRange(0, 8)) {
      case 0:
      case 1: {
        music.CdWatch();
        if (log.size() <= first) std::abort();
        const Sent& track = log[first];
        if (track.command != u"status cdaudio current track") std::abort();
        if (track.code != 0 || HasErr(track.reply)) {
          if (music.CdWatchOn() || log.size() != first + 1) std::abort();
        } else if (log.size() < first + 2 ||
                   log[first + 1].command != u"status cdaudio number of tracks") {
          std::abort();
        } else if (log[first + 1].code != 0 || HasErr(log[first + 1].reply)) {
          if (music.CdWatchOn() || log.size() != first + 2) std::abort();
        }
        break;
      }
      case 2: music.CdNextTrack(); break;
      case 3: music.CdPreviousTrack(); break;
      case 4: {
        const bool playing = music.Mp3IsPlaying();
        if (log.size() != first + 1 || log[first].command != u"status MP3Play mode") std::abort();
        const Sent& mode = log[first];
        if (playing != (mode.code == 0 && mode.reply.substr(0, 7) == u"playing")) std::abort();
        break;
      }
      case 5: music.Mp3Watch(); break;
      case 6: music.Mp3Play(); break;
      case 7: music.CdOpen(); break;
      default: music.WavPlay(); break;
    }
    CheckCommands(log, first, settings.BgmFile);
  }
  return 0;
}
