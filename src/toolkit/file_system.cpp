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

}  // namespace orv
