// Path-name helpers: pure text operations, plus the native separator.
#include "util/path.h"

#include "platform/files.h"
#include "util/text.h"

namespace plandock {

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

bool PathHasInvalidChar(const std::u16string& p) {
  for (char16_t c : p) {
    if (c < 0x0020 || c == u'"' || c == u'<' || c == u'>' || c == u'|') return true;
  }
  return false;
}

std::u16string PathFileName(const std::u16string& p) {
  if (PathHasInvalidChar(p)) return {};
  const size_t last = p.find_last_of(u"\\/:");
  return last == std::u16string::npos ? p : p.substr(last + 1);
}

std::u16string PathExtLower(const std::u16string& p, bool* ok) {
  const bool valid = !PathHasInvalidChar(p);
  if (ok != nullptr) *ok = valid;
  if (!valid) return {};
  const size_t dot = p.rfind(u'.');
  if (dot == std::u16string::npos) return {};
  for (size_t i = dot + 1; i < p.size(); ++i) {
    if (IsSeparator(p[i])) return {};
  }
  return LowerText(p.substr(dot));
}

std::u16string PathChangeExt(const std::u16string& p, const std::u16string& ext) {
  const size_t dot = p.rfind(u'.');
  const size_t last_sep = p.find_last_of(u"\\/:");
  if (dot == std::u16string::npos || (last_sep != std::u16string::npos && dot < last_sep))
    return p + ext;
  return p.substr(0, dot) + ext;
}

}  // namespace plandock
