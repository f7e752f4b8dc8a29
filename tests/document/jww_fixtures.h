// Helpers shared by the drawing-file tests: sample files, header field lookup
// in file images, and byte patches.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "document/archive.h"
#include "document/document.h"
#include "document/header_io.h"
#include "document/jww_file.h"
#include "support/support.h"

namespace plandock::test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& p, const Bytes& b) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// The real drawings, sorted by name; empty when the folder is absent.
inline std::vector<std::filesystem::path> SampleDrawings() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = SamplesDir();
  if (dir.empty()) return files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() == ".jww") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

inline const HeaderFieldSpan* FindSpan(const std::vector<HeaderFieldSpan>& spans,
                                       std::string_view name, int row = -1) {
  for (const HeaderFieldSpan& s : spans) {
    if (s.name == name && s.row == row) return &s;
  }
  return nullptr;
}

inline int32_t I32At(const Bytes& b, size_t pos) {
  int32_t v;
  std::memcpy(&v, b.data() + pos, sizeof v);
  return v;
}

inline double F64At(const Bytes& b, size_t pos) {
  double v;
  std::memcpy(&v, b.data() + pos, sizeof v);
  return v;
}

inline void PutI32(Bytes& b, size_t pos, int32_t v) { std::memcpy(b.data() + pos, &v, sizeof v); }
inline void PutF64(Bytes& b, size_t pos, double v) { std::memcpy(b.data() + pos, &v, sizeof v); }

// The header field `name`/`row` of a file image, decoded; fails the test when absent.
class HeaderFields {
 public:
  explicit HeaderFields(const Bytes& file)
      : file_(file), spans_(HeaderLayout(file.data(), file.size())) {}

  const HeaderFieldSpan& Span(std::string_view name, int row = -1) const {
    const HeaderFieldSpan* s = FindSpan(spans_, name, row);
    EXPECT_NE(s, nullptr) << name << "[" << row << "]";
    return s != nullptr ? *s : kNone;
  }
  int32_t I32(std::string_view name, int row = -1) const {
    const HeaderFieldSpan& s = Span(name, row);
    return s.end - s.begin == 4 ? I32At(file_, s.begin) : 0;
  }
  double F64(std::string_view name, int row = -1) const {
    const HeaderFieldSpan& s = Span(name, row);
    return s.end - s.begin == 8 ? F64At(file_, s.begin) : 0;
  }
  Bytes Raw(std::string_view name, int row = -1) const {
    const HeaderFieldSpan& s = Span(name, row);
    return Bytes(file_.begin() + static_cast<std::ptrdiff_t>(s.begin),
                 file_.begin() + static_cast<std::ptrdiff_t>(s.end));
  }
  // A stored string, decoded as the reader decodes it (control characters kept).
  std::u16string Str(std::string_view name, int row = -1) const {
    const Bytes raw = Raw(name, row);
    TJwwData scratch;
    ArchiveReader in(raw.data(), raw.size(), scratch.MojiEncode);
    return in.ReadMfcString();
  }
  size_t HeaderEnd() const { return spans_.empty() ? 0 : spans_.back().end; }
  const std::vector<HeaderFieldSpan>& spans() const { return spans_; }

 private:
  static constexpr HeaderFieldSpan kNone{"", -1, 0, 0};
  const Bytes& file_;
  std::vector<HeaderFieldSpan> spans_;
};

// Replaces the bytes of one span with `with`.
inline Bytes Splice(const Bytes& file, const HeaderFieldSpan& s, const Bytes& with) {
  Bytes out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(s.begin));
  out.insert(out.end(), with.begin(), with.end());
  out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(s.end), file.end());
  return out;
}

// A document whose tables have the lengths a read gives them.
inline void SizeTablesAsRead(TJwwData& doc) {
  doc.EntLgrp.resize(16);
  doc.EntLay.resize(256);
  doc.EntCol.resize(10);
  doc.EntLtp1.resize(8);
  doc.EntLtp2.resize(5);
  doc.EntLtp3.resize(4);
  doc.EntColS.resize(257);
  doc.EntLtpS.resize(33);
  doc.EntMoj.resize(10);
}

inline Bytes WriteToBuffer(TJwwData& doc, int32_t version) {
  Bytes out;
  FileOutToBuffer(doc, version, out);
  return out;
}

}  // namespace plandock::test
