// The command layer against the scripted device: reply and error buffers, the "Error:"
// form of a failed query, the four forms of a play command, and the way a command crosses
// the system's code page.
#include "sound/mci_command_layer.h"

#include <gtest/gtest.h>

#include "scripted_mci_device.h"

namespace orv {
namespace {

using test::CodePage;
using test::ScriptedMciDevice;

class CommandLayer : public ::testing::Test {
 protected:
  ScriptedMciDevice device;
  MciCommandLayer layer{device};
};

TEST_F(CommandLayer, EmptyCommandIsNotSent) {
  Text text = u"old";
  EXPECT_EQ(layer.MciCommand(u"", text), -1);
  EXPECT_EQ(text, u"コマンド文字列が指定されていません");
  EXPECT_TRUE(device.sent.empty());
}

TEST_F(CommandLayer, ReplyComesBackThroughA512ByteBuffer) {
  device.InsertDisc({60, 60, 60});
  Text text;
  EXPECT_EQ(layer.MciCommand(u"status cdaudio number of tracks", text), 0);
  EXPECT_EQ(text, u"3");
  ASSERT_EQ(device.sent.size(), 1u);
  EXPECT_EQ(device.sent[0].replySize, 512u);
  EXPECT_FALSE(device.sent[0].wide);
  EXPECT_TRUE(device.errorLookupSizes.empty());
}

TEST_F(CommandLayer, FailureGivesTheInterfaceErrorText) {
  device.cdDrive = false;
  Text text;
  EXPECT_EQ(layer.MciCommand(u"status cdaudio mode", text), 266);
  EXPECT_EQ(text, u"There is an undetectable problem in loading the specified device driver.");
  EXPECT_EQ(device.errorLookupSizes, std::vector<uint32_t>{256});
}

TEST_F(CommandLayer, FailureWithoutErrorTextGivesFixedText) {
  device.cdDrive = false;
  device.errorTextsAvailable = false;
  Text text;
  EXPECT_EQ(layer.MciCommand(u"status cdaudio mode", text), 266);
  EXPECT_EQ(text, u"Error (文字列が取れません)");
}

TEST_F(CommandLayer, QueryWithoutDriveGivesErrorAndNumber) {
  device.cdDrive = false;
  EXPECT_EQ(layer.MciQuery(u"status cdaudio mode"), u"Error:266");
  EXPECT_EQ(layer.MciLastText(),
            u"There is an undetectable problem in loading the specified device driver.");

  device.cdDrive = true;
  device.InsertDisc({60});
  EXPECT_EQ(layer.MciQuery(u"status cdaudio mode"), u"stopped");
  EXPECT_EQ(layer.MciLastText(), u"stopped");
}

TEST_F(CommandLayer, PlayTakesFourForms) {
  device.InsertDisc({60, 60, 60, 60});
  device.SendStringA("set cdaudio time format tmsf", nullptr, 0);
  device.ClearLog();

  EXPECT_EQ(layer.MciPlay(u"cdaudio", u"", u""), 0);
  EXPECT_EQ(layer.MciPlay(u"cdaudio", u"03:00:10:00", u""), 0);
  EXPECT_EQ(device.CdTrack(), 3);
  EXPECT_EQ(device.CdMsIntoTrack(), 10000);
  EXPECT_EQ(layer.MciPlay(u"cdaudio", u"", u"04"), 0);
  EXPECT_EQ(layer.MciPlay(u"cdaudio", u"02", u"03"), 0);
  EXPECT_EQ(device.CdTrack(), 2);

  EXPECT_EQ(device.Commands(), (std::vector<std::string>{
                                   "play cdaudio",
                                   "play cdaudio from 03:00:10:00",
                                   "play cdaudio to 04",
                                   "play cdaudio from 02 to 03",
                               }));
  for (const auto& s : device.sent) EXPECT_EQ(s.replySize, 512u);
}

TEST_F(CommandLayer, PlayFromAnErrorTextFailsAndKeepsItsText) {
  device.InsertDisc({60});
  const int32_t code = layer.MciPlay(u"cdaudio", u"Error:282", u"");
  EXPECT_NE(code, 0);
  EXPECT_EQ(device.Commands().back(), "play cdaudio from Error:282");
  EXPECT_EQ(layer.MciLastText(), u"The specified integer is invalid for this command.");
  EXPECT_FALSE(device.CdPlaying());
}

TEST(CommandCodePage, TextOutsideTheCodePageGoesWideAndArrivesWhole) {
  ScriptedMciDevice device;
  MciCommandLayer layer{device};
  device.AddMusicFile(u"C:\\音楽\\歌.mp3", 5000);

  EXPECT_EQ(layer.Send(u"open \"C:\\音楽\\歌.mp3\" type MPEGVideo Alias MP3Play", nullptr, 0), 0);
  EXPECT_EQ(layer.Send(u"status MP3Play mode", nullptr, 0), 0);
  ASSERT_EQ(device.sent.size(), 2u);
  EXPECT_TRUE(device.sent[0].wide);
  EXPECT_FALSE(device.sent[1].wide);  // plain commands keep the 8-bit form
  EXPECT_EQ(device.OpenedFile(), "C:\\音楽\\歌.mp3");
}

TEST(CommandCodePage, JapaneseSystemSendsShiftJisBytes) {
  ScriptedMciDevice device;
  device.codePage = CodePage::Japanese;
  MciCommandLayer layer{device};
  device.AddMusicFile(u"C:\\歌.mp3", 5000);

  EXPECT_EQ(layer.Send(u"open \"C:\\歌.mp3\" type MPEGVideo Alias MP3Play", nullptr, 0), 0);
  ASSERT_EQ(device.sent.size(), 1u);
  EXPECT_FALSE(device.sent[0].wide);
  EXPECT_NE(device.sent[0].ansiBytes.find("C:\\\x89\xCC.mp3"), std::string::npos);
  EXPECT_EQ(device.OpenedFile(), "C:\\歌.mp3");

  // "é" has no code in page 932: the same layer switches to the wide form.
  device.SendStringA("close MP3Play", nullptr, 0);
  device.AddMusicFile(u"C:\\café.mp3", 5000);
  EXPECT_EQ(layer.Send(u"open \"C:\\café.mp3\" type MPEGVideo Alias MP3Play", nullptr, 0), 0);
  EXPECT_TRUE(device.sent.back().wide);
}

TEST(CommandCodePage, WideReplyReachesTheCaller) {
  ScriptedMciDevice device;
  MciCommandLayer layer{device};
  device.AddMusicFile(u"C:\\歌.mp3", 5000);
  ASSERT_EQ(layer.Send(u"open \"C:\\歌.mp3\" type MPEGVideo Alias MP3Play", nullptr, 0), 0);
  Text reply = u"old";
  EXPECT_EQ(layer.Send(u"status MP3Play mode", &reply, 30), 0);
  EXPECT_EQ(reply, u"stopped");
  EXPECT_NE(layer.Send(u"status \"歌\" mode", &reply, 30), 0);
  EXPECT_TRUE(device.sent.back().wide);
  EXPECT_EQ(reply, u"");
}

}  // namespace
}  // namespace orv
