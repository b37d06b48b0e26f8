#include "support/fake_file_system.h"

#include <algorithm>

namespace orv::test {
namespace {

// "C:\" stays a root; its parent is none.
Text Parent(const Text& key) {
  const auto pos = key.find_last_of(u'\\');
  return pos == Text::npos || key.size() <= 3 ? Text() : key.substr(0, pos == 2 ? 3 : pos);
}

Text NameOf(const Text& path) { return path.substr(path.find_last_of(u"\\/") + 1); }

// Folders of tens of thousands of files are listed many times over: no allocations here.
bool WildcardMatch(TextView pattern, TextView name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*') {
    for (size_t i = 0; i <= name.size(); ++i) {
      if (WildcardMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  return !name.empty() && (pattern[0] == u'?' || upper(pattern[0]) == upper(name[0])) &&
         WildcardMatch(pattern.substr(1), name.substr(1));
}

}  // namespace

Text FakeFileSystem::Key(const Text& path) {
  Text key;
  for (char16_t c : AsciiUpper(path)) {
    if (c == u'/') c = u'\\';
    if (c != u'\\' || key.empty() || key.back() != u'\\') key.push_back(c);
  }
  while (key.size() > 3 && key.back() == u'\\') key.pop_back();
  return key;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const Text& path) const {
  const auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : &it->second;
}

void FakeFileSystem::AddFolder(const Text& path) {
  const Text key = Key(path);
  if (key.empty() || entries_.count(key)) return;
  AddFolder(Parent(key));
  entries_[key] = Entry{NameOf(path), kAttrDirectory, {}, nextOrder_++};
}

void FakeFileSystem::AddFile(const Text& path, std::string content, uint32_t attributes) {
  AddFolder(Parent(Key(path)));
  entries_[Key(path)] = Entry{NameOf(path), attributes, std::move(content), nextOrder_++};
}

void FakeFileSystem::Remove(const Text& path) {
  const Text key = Key(path);
  std::erase_if(entries_, [&](const auto& e) { return e.first == key || e.first.starts_with(key + u"\\"); });
}

std::string FakeFileSystem::Content(const Text& path) const {
  const Entry* e = Find(path);
  return e ? e->content : std::string();
}

std::optional<std::vector<Text>> FakeFileSystem::ListNames(const Text& pattern, bool admitDirectories) {
  ++listCalls;
  const auto pos = pattern.find_last_of(u"\\/:");
  const Entry* folder = pos == Text::npos ? nullptr : Find(pattern.substr(0, pos + 1));
  if (listingFails || !folder || !(folder->attributes & kAttrDirectory)) return std::nullopt;
  const Text wildcard = pattern.substr(pos + 1), folderKey = Key(pattern.substr(0, pos + 1));
  const Text prefix = folderKey.ends_with(u'\\') ? folderKey : folderKey + u"\\";
  std::vector<std::pair<long, Text>> found;
  if (admitDirectories && prefix.size() > 3 && WildcardMatch(wildcard, u".")) found = {{-2, u"."}, {-1, u".."}};
  // The folder's children sort together, right after the folder itself.
  for (auto it = entries_.lower_bound(prefix); it != entries_.end() && it->first.starts_with(prefix); ++it) {
    const Entry& e = it->second;
    if (it->first.find(u'\\', prefix.size()) == Text::npos && !(e.attributes & (kAttrHidden | kAttrSystem)) &&
        (admitDirectories || !(e.attributes & kAttrDirectory)) && WildcardMatch(wildcard, e.name)) {
      found.emplace_back(e.order, e.name);
    }
  }
  std::sort(found.begin(), found.end());
  std::vector<Text> names;
  for (auto& f : found) names.push_back(std::move(f.second));
  return names;
}

std::optional<uint32_t> FakeFileSystem::Attributes(const Text& path) {
  const Entry* e = failingAttributes.count(path) ? nullptr : Find(path);
  return e ? std::optional(e->attributes) : std::nullopt;
}

bool FakeFileSystem::CanOpenForReading(const Text& path) {
  const Entry* e = Find(path);
  return e && !(e->attributes & kAttrDirectory) && !unreadable.count(path);
}

std::optional<std::string> FakeFileSystem::ReadAll(const Text& path) {
  return CanOpenForReading(path) ? std::optional(Find(path)->content) : std::nullopt;
}

bool FakeFileSystem::StoreFile(const Text& path, std::string_view bytes, bool createFolders) {
  const Text parent = Parent(Key(path));
  for (const Text& f : unwritableFolders) {
    if (Key(f) == parent) return false;
  }
  const Entry* folder = Find(parent);
  const Entry* existing = Find(path);
  if ((folder ? !(folder->attributes & kAttrDirectory) : !createFolders) ||
      (existing && (existing->attributes & kAttrDirectory))) {
    return false;
  }
  AddFile(path, std::string(bytes), existing ? existing->attributes : kAttrArchive);
  return true;
}

}  // namespace orv::test
