// The music player against a multimedia interface that answers from the input: any code,
// any reply text (cut to the reply buffer as the system cuts it), in either code page, for
// every command of the CD watch, the track keys and the MP3 watch.
//
// Checked: commands are single lines and the music file's name is quoted whole; the CD
// watch gives up at once when the disc cannot be queried; a reply never adds words to a
// command built from it; the MP3 mode test reads "playing" exactly.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_harness.h"
#include "settings/settings.h"
#include "sound/mci_music_player.h"
#include "sound/scripted_mci.h"

namespace orv::fuzz {
namespace {

using Sent = test::ScriptedMci::Sent;

class AnsweringMci final : public test::ScriptedMci {
 public:
  explicit AnsweringMci(FuzzedDataProvider& in) : in_(in) { japanese = in.ConsumeBool(); }

  int32_t WaveOutDeviceCount() override { return in_.ConsumeIntegralInRange(-1, 2); }
  std::optional<Text> ShortPath(const Text&) override {
    return in_.ConsumeBool() ? std::optional(cp932::Decode(in_.ConsumeRandomLengthString(40)))
                             : std::nullopt;
  }

 protected:
  Answer Respond(const Sent& s) override {
    static constexpr int32_t kCodes[] = {0, 0, 0, 0, 261, 263, 266, 270, 275, 276, 277, 282, -1};
    static const char* const kReplies[] = {
        "playing", "stopped", "paused", "not ready", "open", "seeking", "playingX", "Playing",
        "1", "2", "3", "99", "0", "-1", "32767", "32768", "-32769", "1e308", "1e400", "nan",
        " 7", "7 ", "07", "3.5", "2.5", "01:00:00:00", "03:02:01:00", "99:99:99:99", "",
        "Error", "error 5", "ERR", "1 wait", "01:00:00:00 wait", "00:00:00 to 0 notify"};
    const int32_t code =
        in_.ConsumeBool() ? in_.PickValueInArray(kCodes) : in_.ConsumeIntegral<int32_t>();
    Text reply = in_.ConsumeBool() ? FromUtf8(in_.PickValueInArray(kReplies))
                                   : cp932::Decode(in_.ConsumeRandomLengthString(520));
    reply.resize(std::min<size_t>(reply.size(), s.replySize ? s.replySize - 1 : 0));
    return {code, ToUtf8(reply)};
  }

 private:
  FuzzedDataProvider& in_;
};

bool Failed(const Sent& s) {
  return s.answer.code != 0 || AsciiUpper(FromUtf8(s.answer.reply)).find(u"ERR") != Text::npos;
}

std::vector<std::string> Words(const std::string& command) {
  std::vector<std::string> words;
  for (size_t i = 0, end; i < command.size(); i = end + 1) {
    end = std::min(command.find(' ', i), command.size());
    if (end > i) words.push_back(command.substr(i, end - i));
  }
  return words;
}

void CheckCommands(const std::vector<Sent>& sent, size_t from, const Text& file) {
  for (size_t i = from; i < sent.size(); ++i) {
    const std::string& c = sent[i].command;
    if (c.starts_with("open \"")) {
      // The music file's name goes whole between the quotes, whatever it holds.
      Check(c == ToUtf8(u"open \"" + file + u"\" type MPEGVideo Alias MP3Play"));
      continue;
    }
    Check(!c.empty() && c.find_first_of(std::string("\0\r\n", 3)) == std::string::npos);
    // A play of the disc is "play cdaudio" with at most a from and a to, one word each.
    if (c.starts_with("play cdaudio")) {
      const auto words = Words(c);
      Check(words.size() == 2 || words.size() == 4 || words.size() == 6);
      Check(words.size() < 4 || words[2] == "from" || words[2] == "to");
    }
  }
}

void CheckCdWatch(const Sound_02& music, const std::vector<Sent>& sent, size_t first) {
  Check(sent.size() > first && sent[first].command == "status cdaudio current track");
  if (Failed(sent[first])) return Check(!music.CdWatchOn() && sent.size() == first + 1);
  Check(sent.size() > first + 1 && sent[first + 1].command == "status cdaudio number of tracks");
  if (Failed(sent[first + 1])) Check(!music.CdWatchOn() && sent.size() == first + 2);
}

}  // namespace

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  Settings settings;
  settings.BgmRepeat = in.ConsumeBool() ? in.ConsumeIntegralInRange<int16_t>(0, 3)
                                        : in.ConsumeIntegral<int16_t>();
  settings.BgmFile = in.ConsumeBool() ? Text(u"C:\\m\\a tune.mp3")
                                      : cp932::Decode(in.ConsumeRandomLengthString(64));
  auto owned = std::make_unique<AnsweringMci>(in);
  const std::vector<Sent>& sent = owned->sent;
  Sound_02 music(settings, std::move(owned));

  for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
    const size_t first = sent.size();
    switch (in.ConsumeIntegralInRange(0, 8)) {
      case 0:
      case 1:
        music.CdWatch();
        CheckCdWatch(music, sent, first);
        break;
      case 2: music.CdNextTrack(); break;
      case 3: music.CdPreviousTrack(); break;
      case 4: {
        const bool playing = music.Mp3IsPlaying();
        Check(sent.size() == first + 1 && sent[first].command == "status MP3Play mode");
        const auto& answer = sent[first].answer;
        Check(playing == (answer.code == 0 && answer.reply.substr(0, 7) == "playing"));
        break;
      }
      case 5: music.Mp3Watch(); break;
      case 6: music.Mp3Play(); break;
      case 7: music.CdOpen(); break;
      default: music.WavPlay(); break;
    }
    CheckCommands(sent, first, settings.BgmFile);
  }
}

}  // namespace orv::fuzz
