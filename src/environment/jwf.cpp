#include "environment/jwf.h"

#include "environment/jwf_internal.h"
#include "environment/text_file.h"
#include "util/text.h"

namespace plandock {

namespace {

// Drops U+0000..U+0020 at both ends; the ideographic space stays.
std::u16string_view Trim(std::u16string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return s.substr(b, e - b);
}

bool IsEndMark(std::u16string_view line) {
  return UpperText(std::u16string(line.substr(0, 3))) == u"END";
}

}  // namespace

void ApplyJwfText(TJwwData& doc, std::u16string_view text) {
  jwf_internal::EntryApplier applier(doc);
  TextLineReader lines(text);
  std::u16string_view raw;
  while (lines.Next(raw)) {
    const std::u16string_view line = Trim(raw);
    if (line.empty() || line[0] == u'#') continue;
    if (IsEndMark(line)) break;
    if (line.size() > kMaxJwfEntryLength) continue;
    const std::size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) continue;
    const std::u16string key = UpperText(std::u16string(Trim(line.substr(0, eq))));
    const std::u16string value(Trim(line.substr(eq + 1)));
    if (key.empty() || value.empty()) continue;
    applier.Apply(key, value);
  }
}

void ApplyJwf(TJwwData& doc, const std::u16string& path) {
  std::u16string text;
  if (!ReadTextFile(path, kMaxJwfBytes, text)) return;
  ApplyJwfText(doc, text);
}

}  // namespace plandock
