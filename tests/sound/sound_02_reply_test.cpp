// Replies of the multimedia interface that are no position: the CD watch and the track keys
// build their play command from the position reply, and such a reply must not add words to
// it. A device that answers from a table, so any reply text can be given.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "sound/mci_music_player.h"

namespace orv {
namespace {

class TableDevice final : public MciInterface {
 public:
  std::map<std::string, std::string> replies;  // command -> reply; others answer ""
  std::vector<std::string> sent;

  std::optional<std::string> ToAnsi(TextView text) override { return ToUtf8(text); }
  Text FromAnsi(std::string_view bytes) override { return FromUtf8(bytes); }
  int32_t SendStringA(const std::string& command, std::string* reply, uint32_t) override {
    sent.push_back(command);
    if (reply) {
      const auto it = replies.find(command);
      *reply = it == replies.end() ? std::string() : it->second;
    }
    return 0;
  }
  int32_t SendStringW(const Text& command, Text* reply, uint32_t size) override {
    std::string answer;
    const int32_t code = SendStringA(ToUtf8(command), reply ? &answer : nullptr, size);
    if (reply) *reply = FromUtf8(answer);
    return code;
  }
  std::optional<std::string> GetErrorStringA(int32_t, uint32_t) override { return std::nullopt; }
  void PlaySoundA(const std::string*, uint32_t) override {}
  void PlaySoundW(const Text&, uint32_t) override {}
  std::optional<Text> ShortPath(const Text&) override { return std::nullopt; }
  int32_t WaveOutDeviceCount() override { return 1; }
};

class OddReplies : public ::testing::Test {
 protected:
  OddReplies() {
    auto owned = std::make_unique<TableDevice>();
    device = owned.get();
    device->replies = {{"status cdaudio current track", "1"},
                       {"status cdaudio number of tracks", "5"},
                       {"status cdaudio mode", "playing"}};
    music = std::make_unique<Sound_02>(settings, std::move(owned));
  }
  std::vector<std::string> Plays() const {
    std::vector<std::string> plays;
    for (const auto& c : device->sent)
      if (c.rfind("play ", 0) == 0) plays.push_back(c);
    return plays;
  }
  Settings settings;
  TableDevice* device = nullptr;
  std::unique_ptr<Sound_02> music;
};

TEST_F(OddReplies, APositionReplyWithSeveralWordsIsNotPlayedFrom) {
  settings.BgmRepeat = 2;  // the watch moves to track 2, which is not the current one
  for (const char* reply : {"00:02:00:00 wait", "02:00:00:00 to 0 notify", "02\t00", "\"02",
                            "02:00\r\n"}) {
    SCOPED_TRACE(reply);
    device->sent.clear();
    device->replies["status cdaudio position track 2"] = reply;
    music->CdWatch();
    EXPECT_EQ(device->sent.back(), "status cdaudio position track 2");
    EXPECT_TRUE(Plays().empty());
    EXPECT_TRUE(music->CdWatchOn());
  }
  device->replies["status cdaudio position track 2"] = "02:00:00:00";
  music->CdWatch();
  EXPECT_EQ(Plays(), std::vector<std::string>{"play cdaudio from 02:00:00:00"});
}

TEST_F(OddReplies, TrackKeysPlayOnlyFromAOneWordPosition) {
  device->replies["status cdaudio position track 2"] = "02:00:00:00 wait";
  music->CdNextTrack();
  EXPECT_TRUE(Plays().empty());
  // One word that is no position still goes to the device, which refuses the play.
  device->replies["status cdaudio position track 0"] = "Error:282";
  music->CdPreviousTrack();
  EXPECT_EQ(Plays(), std::vector<std::string>{"play cdaudio from Error:282"});
  device->replies["status cdaudio position track 2"] = "02:00:00:00";
  music->CdNextTrack();
  EXPECT_EQ(Plays().back(), "play cdaudio from 02:00:00:00");
}

}  // namespace
}  // namespace orv
