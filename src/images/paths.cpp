#include "images/paths.h"

namespace orv {

Text FolderPart(TextView path) {
  const auto pos = path.find_last_of(u":\\");
  Text out = pos == TextView::npos ? Text() : Text(path.substr(0, pos + 1));
  if (!out.empty() && out.back() == u'\\') out.pop_back();
  return out;
}

}  // namespace orv
