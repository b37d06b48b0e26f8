// The music module over the scripted interface: the command strings the device is told at
// each step, given what it answers. The scripted disc holds ten tracks, plays track 2 and
// answers "NN:00:00:00" for the start of track NN; it refuses track 0 and those past the
// tenth as out of range (282).
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>

#include "scripted_mci.h"
#include "sound/mci_music_player.h"
#include "sound/music_watch.h"
#include "support/show_fakes.h"

namespace orv::test {
namespace {

using Answer = ScriptedMci::Answer;
using Commands = std::vector<std::string>;

const std::string kTrack = "status cdaudio current track", kCount = "status cdaudio number of tracks",
                  kMode = "status cdaudio mode", kFileMode = "status MP3Play mode";
std::string PositionOf(int track) { return "status cdaudio position track " + std::to_string(track); }
std::string Start(int track) { return (track < 10 ? "0" : "") + std::to_string(track) + ":00:00:00"; }
std::string PlayFrom(int track) { return "play cdaudio from " + Start(track); }
std::string Mp3Open(const std::string& file) {
  return "open \"" + file + "\" type MPEGVideo Alias MP3Play";
}
Commands Queries(Commands more = {}) {
  more.insert(more.begin(), {kTrack, kCount, kMode});
  return more;
}

struct Rig {
  Settings settings;
  std::unique_ptr<ScriptedMci> owned = std::make_unique<ScriptedMci>();
  ScriptedMci& device = *owned;
  Sound_02 player{settings, std::move(owned)};
  MciCommandLayer& layer = player.Commands();

  Rig() {
    device.script = {{kTrack, {0, "2"}}, {kCount, {0, "10"}}, {kMode, {0, "playing"}}};
    for (int track = 0; track <= 12; ++track) {
      device.script[PositionOf(track)] =
          track >= 1 && track <= 10 ? Answer{0, Start(track)} : Answer{282, ""};
    }
  }
};

TEST(CommandLayer, GivesTheReplyOrTheErrorTextAndBuildsPlayCommands) {
  const struct { Answer answer; Text text, query; } cases[] = {
      {{0, "10"}, u"10", u"10"}, {{1000, ""}, u"Error (文字列が取れません)", u"Error:1000"}};  // a code without a text
  for (const auto& c : cases) {
    Rig rig;
    rig.device.script[kCount] = c.answer;
    Text text;
    EXPECT_EQ(rig.layer.MciCommand(u"status cdaudio number of tracks", text), c.answer.code);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(rig.layer.MciQuery(u"status cdaudio number of tracks"), c.query);
    EXPECT_EQ(rig.device.errorTextSizes, std::vector<uint32_t>(c.answer.code ? 2 : 0, 256));
  }
  Rig rig;
  Text text;
  EXPECT_EQ(rig.layer.MciCommand(u"", text), -1);  // an empty command is not sent
  EXPECT_EQ(text, u"コマンド文字列が指定されていません");
  rig.device.script["play cdaudio to 04"] = {282, ""};
  rig.layer.MciPlay(u"cdaudio", u"", u"");
  rig.layer.MciPlay(u"cdaudio", u"02", u"03");
  EXPECT_EQ(rig.layer.MciPlay(u"cdaudio", u"", u"04"), 282);
  EXPECT_EQ(rig.layer.MciLastText(), u"MCI error 282");
  EXPECT_EQ(rig.device.Commands(),
            (Commands{"play cdaudio", "play cdaudio from 02 to 03", "play cdaudio to 04"}));
}

TEST(CdWatch, EachTickFollowsTheDisc) {
  const struct {
    const char* what; int16_t repeat; Answer track, count, mode; Commands sent; bool watchOn;
  } cases[] = {
      {"no drive", 0, {266, ""}, {}, {}, {kTrack}, false},
      {"an error text for a track", 0, {0, "error"}, {}, {}, {kTrack}, false},
      {"no disc", 0, {0, "1"}, {276, ""}, {}, {kTrack, kCount}, false},
      {"a mode is its first 7 letters", 0, {0, "2"}, {0, "10"}, {0, "stopped."}, Queries({"play cdaudio"}), true},
      {"the repeat track plays", 3, {0, "3"}, {0, "10"}, {0, "playing"}, Queries(), true},
      {"another track plays", 3, {0, "4"}, {0, "10"}, {0, "playing"},
       Queries({PositionOf(3), PlayFrom(3)}), true},
      {"a track that is no number", 3, {0, "x"}, {0, "10"}, {0, "playing"}, Queries(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    rig.settings.BgmRepeat = c.repeat;
    auto& script = rig.device.script;
    std::tie(script[kTrack], script[kCount], script[kMode]) = std::tie(c.track, c.count, c.mode);
    rig.player.CdWatch();
    EXPECT_EQ(rig.device.Commands(), c.sent);
    EXPECT_EQ(rig.player.CdWatchOn(), c.watchOn);
    EXPECT_EQ(rig.device.sent.size() > 2 ? rig.device.sent[2].replySize : 255u, 255u);  // the mode
  }
}

TEST(MusicPlayer, CommandsOfEveryStep) {
  const Answer playing{0, "playing."}, stopped{0, "stopped"};  // a mode is its first 7 letters
  const struct {
    void (Sound_02::*step)(); Text file; std::map<std::string, Answer> answers; Commands sent;
  } cases[] = {
      {&Sound_02::CdOpen, u"", {}, {"open cdaudio", "set cdaudio time format tmsf"}},
      {&Sound_02::CdStop, u"", {}, {"stop cdaudio", "close cdaudio"}},
      // The arrows play the track beside the current one from its start.
      {&Sound_02::CdNextTrack, u"", {}, {kTrack, PositionOf(3), PlayFrom(3)}},
      {&Sound_02::CdPreviousTrack, u"", {}, {kTrack, PositionOf(1), PlayFrom(1)}},
      {&Sound_02::CdPreviousTrack, u"", {{kTrack, {0, "1"}}},  // refused
       {kTrack, PositionOf(0), "play cdaudio from Error:282"}},
      {&Sound_02::CdNextTrack, u"", {{kTrack, {0, "32767"}}}, {kTrack}},  // no 16-bit track
      // A position reply that would be more than one word of the play command is not played.
      {&Sound_02::CdNextTrack, u"", {{PositionOf(3), {0, "03 wait"}}}, {kTrack, PositionOf(3)}},
      {&Sound_02::CdNextTrack, u"", {{PositionOf(3), {0, "03\vwait"}}}, {kTrack, PositionOf(3)}},
      {&Sound_02::Mp3Stop, u"", {}, {"stop MP3Play", "close MP3Play"}},
      {&Sound_02::Mp3Play, u"C:\\My Music\\a b.mp3", {},
       {Mp3Open("C:\\My Music\\a b.mp3"), "play MP3Play"}},
      {&Sound_02::Mp3Play, u"C:\\gone.mp3", {{Mp3Open("C:\\gone.mp3"), {275, ""}}},
       {Mp3Open("C:\\gone.mp3")}},
      {&Sound_02::Mp3Play, u"C:\\a\" type MPEGVideo Alias MP3Play\\b.mp3", {}, {}},  // no quotes
      {&Sound_02::Mp3Play, Text(u"C:\\a\0.mp3", 9), {}, {}},
      {&Sound_02::Mp3Watch, u"", {{kFileMode, playing}}, {kFileMode}},
      {&Sound_02::Mp3Watch, u"", {{kFileMode, stopped}},
       {kFileMode, "stop MP3Play", "play MP3Play from 0"}},
      {&Sound_02::Mp3Watch, u"", {{kFileMode, {263, ""}}},
       {kFileMode, "stop MP3Play", "play MP3Play from 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sent.empty() ? "" : c.sent.back());
    Rig rig;
    rig.settings.BgmFile = c.file;
    for (const auto& [command, answer] : c.answers) rig.device.script[command] = answer;
    (rig.player.*c.step)();
    EXPECT_EQ(rig.device.Commands(), c.sent);
    for (const auto& s : rig.device.sent) {
      const bool disc = s.command.starts_with("status cdaudio") || s.command.starts_with("play cd");
      EXPECT_EQ(s.replySize, s.command == kFileMode ? 30u : disc ? 512u : 0u) << s.command;
    }
  }
}

TEST(MusicFile, WavPlaysLoopedByANameTheSoundPlayerOpens) {
  using Sound = ScriptedMci::Sound;
  const Text japanese = u"C:\\音楽\\ループ.wav";
  const Sound kStop{std::nullopt, 0, false};
  const struct { Text file; int32_t waveDevices; bool shortName; std::vector<Sound> played; } cases[] = {
      {u"C:\\loop.wav", 0, false, {kStop}},  // no wave output
      {japanese, 1, true, {{"C:\\B9C8~1\\C2E9~1.WAV", 9, false}, kStop}},
      {japanese, 1, false, {{"C:\\音楽\\ループ.wav", 9, true}, kStop}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.settings.BgmFile = c.file;
    rig.device.waveDevices = c.waveDevices;
    if (c.shortName) rig.device.shortPaths[japanese] = u"C:\\B9C8~1\\C2E9~1.WAV";
    rig.player.WavPlay();
    rig.player.WavStop();
    EXPECT_EQ(rig.device.sounds, c.played);
  }
}

TEST(MusicTimers, Timer2FollowsTheWatchAndAFailingTickIsPassedOver) {
  FakeMusic music;
  FakeTimer timer2;
  music.watchOn = false;
  Timer2_Timer(music, timer2);
  EXPECT_FALSE(timer2.enabled);
  music.watchOn = music.throws = true;
  Timer2_Timer(music, timer2);
  Timer1_Timer(music);
  EXPECT_TRUE(timer2.enabled);
  EXPECT_EQ(music.calls, (Commands{"CdWatch", "CdWatch", "Mp3Watch"}));
}

}  // namespace
}  // namespace orv::test
