#include "settings/settings_store.h"

namespace orv {

SettingsStore::SettingsStore(FileSystem& fs, TextView programFolder, TextView userDataFolder)
    : fs_(fs),
      // The separator is always added, also after a drive root's own backslash.
      besideProgram_(Text(programFolder) + u"\\Orvane.ini"),
      perUser_(userDataFolder.empty() ? Text() : Text(userDataFolder) + u"\\Orvane\\Orvane.ini") {}

Text SettingsStore::FileToRead() const {
  if (!perUser_.empty() && fs_.CanOpenForReading(perUser_)) return perUser_;
  return besideProgram_;
}

IniDocument SettingsStore::Read() const {
  const auto bytes = fs_.ReadAll(FileToRead());
  return bytes ? IniDocument::Parse(*bytes) : IniDocument();
}

std::optional<IniDocument> SettingsStore::ReadForUpdate() const {
  const Text file = FileToRead();
  if (const auto bytes = fs_.ReadAll(file)) return IniDocument::Parse(*bytes);
  if (fs_.Attributes(file)) return std::nullopt;
  return IniDocument();
}

bool SettingsStore::Write(const IniDocument& doc) const {
  const std::string bytes = doc.Serialize();
  if (FileToRead() == perUser_ && !perUser_.empty()) {
    return fs_.StoreFile(perUser_, bytes, /*createFolders=*/true);
  }
  if (fs_.StoreFile(besideProgram_, bytes, /*createFolders=*/false)) return true;
  return !perUser_.empty() && fs_.StoreFile(perUser_, bytes, /*createFolders=*/true);
}

Text ReadIni(const IniDocument& doc, TextView section, TextView key) {
  return doc.Get(section, key).value_or(Text());
}

void WriteIni(IniDocument& doc, TextView section, TextView key, TextView value) {
  doc.Set(section, key, value);
}

}  // namespace orv
