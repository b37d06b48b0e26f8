// Music source, the CD track to repeat and the music file.
#include <string>

#include "dialog/dialog_model.h"
#include "images/paths.h"

namespace orv {

Text FormatTrack(int32_t track) {
  if (track == 0) return Text();
  const std::string digits = std::to_string(track);
  return Text(digits.begin(), digits.end());
}

void DialogModel::InitMusic() {
  for (int16_t i = 0; i < 3; ++i) SetPicture({Ctl::Img_BGM, i}, Artwork::kOptionOff);
  SetEnabled({Ctl::lbl_Button, 4}, false);
  SetEnabled({Ctl::BGM_Repeat, 0}, false);
  const int16_t mode = app_.settings.BgmMode;
  SetPicture({Ctl::Img_BGM, mode}, Artwork::kOptionOn);
  if (mode == 1) SetEnabled({Ctl::BGM_Repeat, 0}, true);
  if (mode == 2) SetEnabled({Ctl::lbl_Button, 4}, true);
  comboText_ = FormatTrack(app_.settings.BgmRepeat);
  comboItems_.clear();
  for (int32_t track = 0; track <= 30; ++track) comboItems_.push_back(FormatTrack(track));
  services_.host.Invalidate({Ctl::BGM_Repeat, 0});
  SetCaption({Ctl::lbl_Fname, 0}, app_.settings.BgmFile);
}

void DialogModel::SelectMusicSource(int16_t index) {
  SetEnabled({Ctl::lbl_Button, 4}, false);
  SetEnabled({Ctl::BGM_Repeat, 0}, false);
  for (int16_t i = 0; i < 3; ++i) SetPicture({Ctl::Img_BGM, i}, Artwork::kOptionOff);
  SetPicture({Ctl::Img_BGM, index}, Artwork::kOptionOn);
  if (index == 1) SetEnabled({Ctl::BGM_Repeat, 0}, true);
  if (index == 2) SetEnabled({Ctl::lbl_Button, 4}, true);
  app_.settings.BgmMode = index;
}

void DialogModel::Img_BGM_MouseDown(int16_t index, int16_t, int16_t, int32_t, int32_t) {
  SelectMusicSource(index);
}

void DialogModel::lbl_BGM_MouseDown(int16_t index, int16_t button, int16_t shift, int32_t x,
                                    int32_t y) {
  Img_BGM_MouseDown(index, button, shift, x, y);
}

void DialogModel::ChooseMusicFile() {
  OpenFileRequest request;
  request.filterDescription = kMusicFilterDescription;
  request.filterPattern = kMusicFilterPattern;
  request.title = kMusicDialogTitle;
  request.bufferChars = kMusicPathChars;
  // The current music file's folder, else (left empty) the user's Music folder: never the
  // program's own folder, which is the system's folder once it is installed.
  const Text& current = app_.settings.BgmFile;
  if (!current.empty() && current.find(u'\\') != Text::npos) {
    Text folder = FolderPart(current);
    if (folder.ends_with(u':')) folder = AddBackslash(folder);  // a drive's root
    if (FolderExists(services_.files, folder) != kFalse) request.initialFolder = folder;
  }
  const auto path = services_.host.ChooseOpenFile(request);
  if (!path || path->empty()) return;
  app_.settings.BgmFile = *path;
  SetCaption({Ctl::lbl_Fname, 0}, *path);
}

void DialogModel::BGM_Repeat_Change(const Text& text) {
  // The edit box already shows what was typed; only the model follows.
  comboText_ = text;
}

void DialogModel::BGM_Repeat_Click(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= comboItems_.size()) return;
  comboText_ = comboItems_[static_cast<size_t>(index)];
  services_.host.Invalidate({Ctl::BGM_Repeat, 0});
}

}  // namespace orv
