#include "sound/mci_music_player.h"

#include <string>
#include <utility>

#include "core/numbers.h"

namespace orv {
namespace {

Text Decimal(int64_t value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

bool IsErrorReply(const Text& reply) { return AsciiUpper(reply).find(u"ERR") != Text::npos; }

// The mode as the watch compares it: the first 7 characters of the reply field.
Text ModeWord(const Text& field) { return field.substr(0, 7); }

const Text kPositionOfTrack = u"status cdaudio position track ";

// A position goes into the play command as its one "from" word. A reply that would make
// more words of it (a blank, a quote, a line break) is no position, and passing it on would
// let the reply add keywords to the command, such as one that holds the GUI thread until
// the track ends: such a play is not sent, and the disc goes on as it was.
bool OneWord(const Text& value) {
  return value.find_first_of(u" \t\v\f\r\n\"") == Text::npos;
}

}  // namespace

Sound_02::Sound_02(const Settings& settings, std::unique_ptr<MciInterface> mci)
    : settings_(settings), mci_(std::move(mci)), layer_(*mci_) {}

void Sound_02::SendDirect(const Text& command) { layer_.Send(command, nullptr, 0); }

void Sound_02::CdOpen() {
  SendDirect(u"open cdaudio");
  SendDirect(u"set cdaudio time format tmsf");
}

void Sound_02::CdWatch() {
  cdWatchOn_ = true;
  const Text track = layer_.MciQuery(u"status cdaudio current track");
  if (IsErrorReply(track)) {
    cdWatchOn_ = false;
    return;
  }
  if (IsErrorReply(layer_.MciQuery(u"status cdaudio number of tracks"))) {
    cdWatchOn_ = false;
    return;
  }
  Text field;
  layer_.Send(u"status cdaudio mode", &field, kCdModeSize);
  const Text mode = ModeWord(field);

  const int16_t repeat = settings_.BgmRepeat;
  if (repeat != 0) {
    const auto current = num::ParseNumber(track);
    if (!current) {  // a track reply that is no number: the disc cannot be followed
      cdWatchOn_ = false;
      return;
    }
    if (mode == u"stopped" || *current != repeat) {
      const Text start = layer_.MciQuery(kPositionOfTrack + Decimal(repeat));
      if (OneWord(start)) layer_.MciPlay(u"cdaudio", start, Text());
    }
  } else if (mode == u"stopped") {
    layer_.MciPlay(u"cdaudio", Text(), Text());
  }
}

void Sound_02::PlayTrackBeside(int16_t step) {
  const auto current =
      num::RoundToInt16(num::ReadLeadingNumber(layer_.MciQuery(u"status cdaudio current track")));
  if (!current) return;
  const auto target = num::Add16(*current, step);
  if (!target) return;
  // Beyond the first or last track the position query fails and so does the play: the
  // disc goes on as it was.
  const Text start = layer_.MciQuery(kPositionOfTrack + Decimal(*target));
  if (OneWord(start)) layer_.MciPlay(u"cdaudio", start, Text());
}

void Sound_02::CdPreviousTrack() { PlayTrackBeside(-1); }
void Sound_02::CdNextTrack() { PlayTrackBeside(1); }

void Sound_02::CdStop() {
  SendDirect(u"stop cdaudio");
  SendDirect(u"close cdaudio");
}

std::optional<Text> Sound_02::OpenCommand(const Text& path) {
  // A quote or NUL would end the quoted name early and open some other file.
  if (path.find_first_of(Text(u"\"\0", 2)) != Text::npos) return std::nullopt;
  return u"open \"" + path + u"\" type MPEGVideo Alias MP3Play";
}

void Sound_02::Mp3Play() {
  const auto command = OpenCommand(settings_.BgmFile);
  if (!command) return;
  if (layer_.Send(*command, nullptr, 0) == 0) SendDirect(u"play MP3Play");
}

bool Sound_02::Mp3IsPlaying() {
  Text field;
  layer_.Send(u"status MP3Play mode", &field, kFileModeSize);
  return ModeWord(field) == u"playing";
}

void Sound_02::Mp3Watch() {
  if (Mp3IsPlaying()) return;
  SendDirect(u"stop MP3Play");
  SendDirect(u"play MP3Play from 0");
}

void Sound_02::Mp3Stop() {
  SendDirect(u"stop MP3Play");
  SendDirect(u"close MP3Play");
}

void Sound_02::WavPlay() {
  if (mci_->WaveOutDeviceCount() <= 0) return;
  const Text& path = settings_.BgmFile;
  auto name = mci_->ToAnsi(path);
  // A name outside the code page: its short form, where the volume keeps one, is plain
  // 8-bit text that every sound player opens; the wide call is the last resort.
  if (!name) {
    if (const auto shortPath = mci_->ShortPath(path)) name = mci_->ToAnsi(*shortPath);
  }
  if (name) {
    mci_->PlaySoundA(&*name, kWavLoopFlags);
  } else {
    mci_->PlaySoundW(path, kWavLoopFlags);
  }
}

void Sound_02::WavStop() { mci_->PlaySoundA(nullptr, 0); }

}  // namespace orv
