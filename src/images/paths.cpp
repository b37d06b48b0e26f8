#include "images/paths.h"

namespace orv {

Text AddBackslash(TextView path) {
  Text out(path);
  while (!out.empty() && out.back() == u' ') out.pop_back();
  if (out.empty() || out.back() != u'\\') out.push_back(u'\\');
  return out;
}

Text FolderPart(TextView path) {
  const auto pos = path.find_last_of(u":\\");
  Text out = pos == TextView::npos ? Text() : Text(path.substr(0, pos + 1));
  if (!out.empty() && out.back() == u'\\') out.pop_back();
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
