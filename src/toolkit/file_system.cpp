#include "toolkit/file_system.h"

namespace orv {

std::optional<std::vector<FileEntry>> FileSystem::ListEntries(const Text& pattern,
                                                              bool admitDirectories) {
  auto names = ListNames(pattern, admitDirectories);
  if (!names) return std::nullopt;
  const auto slash = pattern.find_last_of(u'\\');
  const Text folder = slash == Text::npos ? Text() : pattern.substr(0, slash + 1);
  std::vector<FileEntry> entries;
  entries.reserve(names->size());
  for (Text& name : *names) {
    auto attributes = Attributes(folder + name);
    entries.push_back(FileEntry{std::move(name), attributes});
  }
  return entries;
}

Text AddBackslash(TextView path) {
  Text out(path);
  while (!out.empty() && out.back() == u' ') out.pop_back();
  if (out.empty() || out.back() != u'\\') out.push_back(u'\\');
  return out;
}

int16_t FolderExists(FileSystem& fs, TextView path) {
  const auto names = fs.ListNames(AddBackslash(path) + u"*.*", /*admitDirectories=*/true);
  return names && !names->empty() ? kTrue : kFalse;
}

int16_t FileExists(FileSystem& fs, TextView path) {
  Text file(path);
  if (!file.empty() && file.back() == u'\\') file.pop_back();
  return fs.CanOpenForReading(file) ? kTrue : kFalse;
}

}  // namespace orv
