// A scripted machine behind the multimedia interface: an audio-CD drive with a disc of
// tracks, an MPEG device that plays the music files it is given, a simple sound player and
// a system code page. Time passes only when a test calls Advance, so a test reads as a
// scenario: what was sent, and what a listener would hear.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sound/mci_interface.h"

namespace orv::test {

enum class CodePage { Western, Japanese };  // a Latin-1 style page, or code page 932

class ScriptedMciDevice final : public MciInterface {
 public:
  struct Sent {
    std::string command;    // as UTF-8, whichever way it came
    uint32_t replySize = 0;
    bool wide = false;      // came through the UTF-16 form
    std::string ansiBytes;  // the bytes of an 8-bit command
    int32_t code = 0;
  };
  struct Sound {
    std::optional<std::string> name;  // as UTF-8; none for a stop
    uint32_t flags = 0;
    bool wide = false;
  };

  // The machine.
  CodePage codePage = CodePage::Western;
  bool cdDrive = true;
  int32_t waveDevices = 1;
  bool errorTextsAvailable = true;
  std::map<Text, Text> shortPaths;  // the 8.3 names the volume keeps
  void InsertDisc(std::vector<int32_t> trackSeconds);
  void AddMusicFile(const Text& path, int32_t lengthMs);
  void Advance(int32_t ms);
  void StopDiscFromOutside() { cdPlaying_ = false; }

  // What the program did.
  std::vector<Sent> sent;
  std::vector<Sound> sounds;
  std::vector<uint32_t> errorLookupSizes;  // buffer size of each error-text lookup
  std::vector<std::string> Commands() const;
  void ClearLog() {
    sent.clear();
    sounds.clear();
  }

  // What a listener notices.
  bool CdPlaying() const { return cdPlaying_; }
  int32_t CdTrack() const;
  int32_t CdMsIntoTrack() const;
  bool FilePlaying() const { return fileOpen_ && filePlaying_; }
  int32_t FilePositionMs() const { return filePos_; }
  std::optional<std::string> OpenedFile() const;

  std::optional<std::string> ToAnsi(TextView text) override;
  Text FromAnsi(std::string_view bytes) override;
  int32_t SendStringA(const std::string& command, std::string* reply, uint32_t replySize) override;
  int32_t SendStringW(const Text& command, Text* reply, uint32_t replySize) override;
  std::optional<std::string> GetErrorStringA(int32_t code, uint32_t size) override;
  void PlaySoundA(const std::string* name, uint32_t flags) override;
  void PlaySoundW(const Text& name, uint32_t flags) override;
  std::optional<Text> ShortPath(const Text& path) override;
  int32_t WaveOutDeviceCount() override { return waveDevices; }

 private:
  using Words = std::vector<Text>;
  int32_t Execute(const Text& command, Text& reply);
  int32_t ExecuteCd(const Words& words, Text& reply);
  int32_t OpenFile(const Words& words);
  int32_t ExecuteFile(const Words& words, Text& reply);
  int32_t ParseCdPosition(const Text& text, int32_t& ms) const;
  Text FormatCdPosition(int32_t ms) const;
  int32_t TrackStart(int32_t track) const;
  int32_t DiscLength() const { return TrackStart(static_cast<int32_t>(tracks_.size()) + 1); }

  std::vector<int32_t> tracks_;  // lengths in ms; empty: no disc
  Text cdFormat_ = u"msf";
  int32_t cdPos_ = 0;
  int32_t cdEnd_ = 0;
  bool cdPlaying_ = false;

  std::map<Text, int32_t> files_;
  bool fileOpen_ = false;
  Text filePath_;
  int32_t fileLength_ = 0;
  int32_t filePos_ = 0;
  bool filePlaying_ = false;
};

}  // namespace orv::test
