#include "support/fake_file_system.h"

#include <algorithm>

namespace orv::test {

Text FakeFileSystem::Key(const Text& path) {
  Text key;
  for (char16_t c : AsciiUpper(path)) {
    if (c == u'/') c = u'\\';
    if (c == u'\\' && !key.empty() && key.back() == u'\\') continue;
    key.push_back(c);
  }
  // "C:\" stays a root; other trailing separators go.
  while (key.size() > 3 && key.back() == u'\\') key.pop_back();
  return key;
}

Text FakeFileSystem::Parent(const Text& key) {
  const auto pos = key.find_last_of(u'\\');
  if (pos == Text::npos) return Text();
  if (pos == 2 && key.size() > 3) return key.substr(0, 3);  // child of a drive root
  return key.substr(0, pos);
}

void FakeFileSystem::AddFolder(const Text& path) {
  const Text key = Key(path);
  if (key.empty() || entries_.count(key)) return;
  const Text parent = Parent(key);
  if (!parent.empty() && parent != key) AddFolder(parent);
  const auto pos = path.find_last_of(u"\\/");
  Entry e{pos == Text::npos ? path : path.substr(pos + 1), true, kAttrDirectory, {}, nextOrder_++};
  entries_[key] = e;
}

void FakeFileSystem::AddFile(const Text& path, std::string content, uint32_t attributes) {
  const Text key = Key(path);
  AddFolder(Parent(key));
  const auto pos = path.find_last_of(u"\\/");
  entries_[key] = Entry{path.substr(pos + 1), false, attributes, std::move(content), nextOrder_++};
}

void FakeFileSystem::Remove(const Text& path) {
  const Text key = Key(path);
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->first == key || it->first.starts_with(key + u"\\")) {
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const Text& path) const {
  const auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::Exists(const Text& path) const { return Find(path) != nullptr; }

std::string FakeFileSystem::Content(const Text& path) const {
  const Entry* e = Find(path);
  return e ? e->content : std::string();
}

namespace {

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

bool WildcardMatch(TextView pattern, TextView name) {
  // Folders of tens of thousands of files are listed many times over: no allocations here.
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*') {
    for (size_t i = 0; i <= name.size(); ++i) {
      if (WildcardMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  const bool same = pattern[0] == u'?' || Upper(pattern[0]) == Upper(name[0]);
  return same && WildcardMatch(pattern.substr(1), name.substr(1));
}

std::optional<std::vector<Text>> FakeFileSystem::ListNames(const Text& pattern,
                                                           bool admitDirectories) {
  ++listCalls;
  if (listingFails) return std::nullopt;
  const auto pos = pattern.find_last_of(u"\\/:");
  if (pos == Text::npos) return std::nullopt;
  const Text folder = pattern.substr(0, pos + 1);
  const Text wildcard = pattern.substr(pos + 1);
  const Text folderKey = Key(folder);
  const Entry* f = Find(folder);
  if (!f || !f->folder) return std::nullopt;
  if (wildcard.find_first_of(u"*?") == Text::npos) {
    return ExactName(folder + wildcard, admitDirectories);
  }
  std::vector<std::pair<long, Text>> found;
  if (admitDirectories && WildcardMatch(wildcard, u".") && folderKey.size() > 3) {
    found.emplace_back(-2, u".");
    found.emplace_back(-1, u"..");
  }
  // The folder's children sort together, right after the folder itself.
  const Text prefix = folderKey.ends_with(u'\\') ? folderKey : folderKey + u"\\";
  for (auto it = entries_.lower_bound(prefix); it != entries_.end(); ++it) {
    const auto& [key, e] = *it;
    if (!key.starts_with(prefix)) break;
    if (key.find(u'\\', prefix.size()) != Text::npos) continue;  // deeper down
    if (e.attributes & (kAttrHidden | kAttrSystem)) continue;
    if (e.folder && !admitDirectories) continue;
    if (WildcardMatch(wildcard, e.name)) found.emplace_back(e.order, e.name);
  }
  std::sort(found.begin(), found.end());
  std::vector<Text> names;
  for (auto& [order, name] : found) names.push_back(name);
  return names;
}

std::vector<Text> FakeFileSystem::ExactName(const Text& path, bool admitDirectories) const {
  // One entry looked up by its name, as the system does, instead of a walk over every entry.
  const Entry* e = Find(path);
  if (!e || (e->attributes & (kAttrHidden | kAttrSystem)) || (e->folder && !admitDirectories)) {
    return {};
  }
  return {e->name};
}

std::optional<uint32_t> FakeFileSystem::Attributes(const Text& path) {
  if (failingAttributes.count(path)) return std::nullopt;
  const Entry* e = Find(path);
  if (!e) return std::nullopt;
  return e->attributes;
}

bool FakeFileSystem::CanOpenForReading(const Text& path) {
  const Entry* e = Find(path);
  return e && !e->folder && !unreadable.count(path);
}

std::optional<std::string> FakeFileSystem::ReadAll(const Text& path) {
  if (!CanOpenForReading(path)) return std::nullopt;
  return Find(path)->content;
}

bool FakeFileSystem::StoreFile(const Text& path, std::string_view bytes, bool createFolders) {
  const Text key = Key(path);
  const Text parent = Parent(key);
  for (const auto& f : unwritableFolders) {
    if (Key(f) == parent) return false;
  }
  const Entry* folder = Find(parent);
  if (!folder) {
    if (!createFolders) return false;
    AddFolder(parent);
  } else if (!folder->folder) {
    return false;
  }
  const Entry* existing = Find(path);
  if (existing && existing->folder) return false;
  AddFile(path, std::string(bytes), existing ? existing->attributes : kAttrArchive);
  return true;
}

}  // namespace orv::test
