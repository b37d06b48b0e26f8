// Where the settings file lives and how it is read and written as a whole.
//
// The file sits beside the program. Screen savers are often installed where a user cannot
// write, so when the file cannot be written there it goes to the user's application-data
// folder instead, and a per-user file, once it exists, is the one read and written.
#pragma once
#include "settings/ini_document.h"
#include "toolkit/file_system.h"

namespace orv {

class SettingsStore {
 public:
  // programFolder as the system reports it; userDataFolder may be empty (no per-user file).
  SettingsStore(FileSystem& fs, TextView programFolder, TextView userDataFolder);

  const Text& BesideProgram() const { return besideProgram_; }
  const Text& PerUser() const { return perUser_; }

  // The file to read: the per-user one when it exists, else the one beside the program.
  Text FileToRead() const;
  // The current contents (an empty document when there is no readable file).
  IniDocument Read() const;
  // The contents to update and write back: like Read, but nullopt when the file is there and
  // cannot be read, so its lines are never replaced by a blind write.
  std::optional<IniDocument> ReadForUpdate() const;
  // Writes the whole document; false when no file could be written.
  bool Write(const IniDocument& doc) const;

 private:
  FileSystem& fs_;
  Text besideProgram_;
  Text perUser_;
};

// One value of the settings file, as the program's loader and saver pass them.
Text ReadIni(const IniDocument& doc, TextView section, TextView key);
void WriteIni(IniDocument& doc, TextView section, TextView key, TextView value);

}  // namespace orv
