// The music player against a multimedia interface that answers from the input: any code and
// any reply text (cut to the reply buffer as the system cuts it), in either code page. The
// commands stay single lines with the music file's name quoted whole, a reply never adds
// words to a command built from it, the CD watch gives up at once when the disc cannot be
// queried, and the MP3 mode test reads "playing" exactly.
#include <memory>
#include <regex>

#include "fuzz_harness.h"
#include "settings/settings.h"
#include "sound/mci_music_player.h"
#include "sound/scripted_mci.h"

namespace orv::fuzz {
namespace {

struct AnsweringMci final : test::ScriptedMci {
  explicit AnsweringMci(FuzzedDataProvider& in) : in(in) { japanese = in.ConsumeBool(); }
  int32_t WaveOutDeviceCount() override { return in.ConsumeIntegralInRange(-1, 2); }
  std::optional<Text> ShortPath(const Text&) override {
    return in.ConsumeBool() ? std::optional(cp932::Decode(in.ConsumeRandomLengthString(40))) : std::nullopt;
  }
  Answer Respond(const test::ScriptedMci::Sent& s) override {
    static const char* const kReplies[] = {"playing", "Playing", "1", "32768", "1e400", " 7", "3.5",
                                           "99:99:99:99", "", "error 5", "00:00:00 to 0 notify"};
    const int32_t code = in.ConsumeBool() ? in.PickValueInArray({0, 0, 0, 261, 266, 277, -1})
                                          : in.ConsumeIntegral<int32_t>();
    Text reply = in.ConsumeBool() ? FromUtf8(in.PickValueInArray(kReplies))
                                  : cp932::Decode(in.ConsumeRandomLengthString(520));
    reply.resize(std::min<size_t>(reply.size(), s.replySize ? s.replySize - 1 : 0));
    return {code, ToUtf8(reply)};
  }
  FuzzedDataProvider& in;
};

}  // namespace

void FuzzOne(Input input) {
  FuzzedDataProvider in = input.Provider();
  Settings settings;
  settings.BgmRepeat = in.ConsumeIntegral<int16_t>();
  settings.BgmFile = in.ConsumeBool() ? Text(u"C:\\m\\a tune.mp3") : cp932::Decode(in.ConsumeRandomLengthString(64));
  auto owned = std::make_unique<AnsweringMci>(in);
  const auto& sent = owned->sent;
  Sound_02 music(settings, std::move(owned));
  for (int step = 0; step < 32 && in.remaining_bytes() > 0; ++step) {
    const size_t first = sent.size();
    switch (in.ConsumeIntegralInRange(0, 7)) {
      case 0:  // the watch asks the track, then the count, and gives up at the first failure
        music.CdWatch();
        for (size_t i = first; const char* asked : {"status cdaudio current track", "status cdaudio number of tracks"}) {
          Check(sent.size() > i && sent[i].command == asked);
          const auto& a = sent[i++].answer;
          if (a.code != 0 || AsciiUpper(FromUtf8(a.reply)).find(u"ERR") != Text::npos) {
            Check(!music.CdWatchOn() && sent.size() == i);
            break;
          }
        }
        break;
      case 1: music.CdNextTrack(); break;
      case 2: music.CdPreviousTrack(); break;
      case 3:
        Check(music.Mp3IsPlaying() == (sent.size() == first + 1 && sent[first].answer.code == 0 &&
                                       sent[first].answer.reply.starts_with("playing")));
        break;
      case 4: music.Mp3Watch(); break;
      case 5: music.Mp3Play(); break;
      case 6: music.CdOpen(); break;
      default: music.WavPlay(); break;
    }
    for (size_t i = first; i < sent.size(); ++i) {
      const std::string& c = sent[i].command;
      if (c.starts_with("open \"")) {
        Check(c == ToUtf8(u"open \"" + settings.BgmFile + u"\" type MPEGVideo Alias MP3Play"));
        continue;
      }
      Check(!c.empty() && c.find_first_of(std::string("\0\r\n", 3)) == std::string::npos);
      // A play of the disc is "play cdaudio" with at most a from and a to, one word each;
      // the command's words are parted by blanks (tabs taken as blanks too).
      static const std::regex kPlay("play cdaudio([ \t]+(from|to)[ \t]+[^ \t]+){0,2}[ \t]*");
      Check(!c.starts_with("play cdaudio") || std::regex_match(c, kPlay));
    }
  }
}

}  // namespace orv::fuzz
