// The music player against the system's own multimedia interface: the command strings,
// quoting, 8-bit and wide names as winmm takes them. HOME holds an ALSA configuration whose
// default device discards the sound; ORVANE_SOUND_MEDIA names the folder of the generated
// tone.mp3 (two seconds).
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "settings/settings.h"
#include "sound/mci_music_player.h"
#include "win32/mci_device.h"
#include "win32/wide.h"

namespace orv {
namespace {

using namespace std::chrono_literals;

Text Media(const Text& name) {
  wchar_t folder[1024] = {};
  GetEnvironmentVariableW(L"ORVANE_SOUND_MEDIA", folder, 1024);
  return win::FromWide(folder) + u"\\" + name;
}

// A copy of a generated file at a path inside the media folder, folders made as needed.
Text CopyMedia(const Text& source, const Text& relative) {
  const Text target = Media(relative);
  std::filesystem::create_directories(std::filesystem::path(win::Wide(target)).parent_path());
  EXPECT_TRUE(CopyFileW(win::Wide(Media(source)).c_str(), win::Wide(target).c_str(), FALSE));
  return target;
}

class RealMusic : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "no audio output: HOME must hold the null ALSA device";
  }
  Text Query(const Text& command) { return sound.Commands().MciQuery(command); }

  Settings settings;
  Sound_02 sound{settings, std::make_unique<win::MciDevice>()};
};

TEST_F(RealMusic, Mp3FilesPlayAndStopWhateverTheirNames) {
  const Text eightBit = GetACP() == 932 ? Text(u"歌") : Text(u"é");
  const struct { Text file; bool wide; } cases[] = {
      // blanks, and an open command longer than 255 characters
      {CopyMedia(u"tone.mp3", u"with blanks\\" + Text(90, u'a') + u"\\" + Text(90, u'b') + u"\\a.mp3"),
       false},
      {CopyMedia(u"tone.mp3", u"page\\" + eightBit + u".mp3"), false},
      {CopyMedia(u"tone.mp3", u"曲\\歌é.mp3"), true},  // in no 8-bit page
  };
  ASSERT_GT(Sound_02::OpenCommand(cases[0].file)->size(), 255u);
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.file));
    EXPECT_EQ(!win::MciDevice().ToAnsi(c.file), c.wide);
    settings.BgmFile = c.file;
    sound.Mp3Play();
    for (int i = 0; i < 40 && !sound.Mp3IsPlaying(); ++i) std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(sound.Mp3IsPlaying()) << ToUtf8(Query(u"status MP3Play mode"));
    sound.Mp3Stop();
    EXPECT_EQ(Query(u"status MP3Play mode").substr(0, 6), u"Error:");
  }
}

}  // namespace
}  // namespace orv
