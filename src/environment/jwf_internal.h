// Shared inside src/environment only: applying one entry of an environment file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"

namespace plandock::jwf_internal {

// Applies one key = value entry to a document. Lives for one file, since the
// clear-names switch set by one entry steers the later layer-name entries.
class EntryApplier {
 public:
  explicit EntryApplier(TJwwData& doc) : doc_(doc) {}
  // REQUIRES: `key` trimmed and upper-cased, `value` trimmed, both not empty.
  void Apply(const std::u16string& key, const std::u16string& value);

 private:
  const std::u16string& Field(int i) const;  // empty beyond the fields read
  int32_t IntField(int i) const;
  void SetFields(const std::u16string& value, int max_fields);

  void SComm2();
  void SComm3();
  void SComm4();
  void SComm5();
  void PrinterDpi();
  void TextBackground();
  void PatternLineType(char16_t selector);
  void RandomLineType(char16_t selector);
  void DoublePitchLineType(char16_t selector);
  void LayerNames(char16_t selector, const std::u16string& value);
  void ScreenColor(char16_t selector);
  void PrintColor(char16_t selector);

  TJwwData& doc_;
  bool clear_names_ = false;
  std::vector<std::u16string> fields_;
  int n_ = 0;
};

}  // namespace plandock::jwf_internal
