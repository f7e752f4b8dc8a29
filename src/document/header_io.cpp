// Reading, writing and locating the header and tables by walking their one
// stored layout with a reader, a writer or a position recorder.
#include "document/header_io.h"

#include <string_view>
#include <utility>

#include "document/header_io_internal.h"
#include "util/number.h"

namespace plandock {

using header_io::HeaderTables;
using header_io::SizeTables;
using header_io::StrKind;
using header_io::WalkHeaderFields;

namespace {

class FieldReader {
 public:
  explicit FieldReader(ArchiveReader& in) : in_(in) {}
  void I32(int32_t& v, const char*, int) { v = in_.I32(); }
  void F64(double& v, const char*, int) { v = in_.F64(); }
  void Str(std::u16string& s, StrKind kind, const char*, int) {
    s = kind == StrKind::kMemo ? in_.ReadMfcString() : in_.ReadCleanString();
  }
  void Reserved(size_t n, uint8_t, const char*) { in_.Skip(n); }

 private:
  ArchiveReader& in_;
};

class FieldWriter {
 public:
  explicit FieldWriter(ArchiveWriter& out) : out_(out) {}
  void I32(int32_t v, const char*, int) { out_.I32(v); }
  void F64(double v, const char*, int) { out_.F64(v); }
  void Str(const std::u16string& s, StrKind, const char*, int) { out_.WriteMfcString(s); }
  void Reserved(size_t n, uint8_t fill, const char*) { out_.Fill(n, fill); }

 private:
  ArchiveWriter& out_;
};

class SpanRecorder {
 public:
  explicit SpanRecorder(ArchiveReader& in) : in_(in), reader_(in) {}
  void I32(int32_t& v, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.I32(v, name, row);
    Add(name, row, begin);
  }
  void F64(double& v, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.F64(v, name, row);
    Add(name, row, begin);
  }
  void Str(std::u16string& s, StrKind kind, const char* name, int row) {
    const size_t begin = in_.pos();
    reader_.Str(s, kind, name, row);
    Add(name, row, begin);
  }
  void Reserved(size_t n, uint8_t fill, const char* name) {
    const size_t begin = in_.pos();
    reader_.Reserved(n, fill, name);
    Add(name, -1, begin);
  }
  void Add(const char* name, int row, size_t begin) {
    spans.push_back({name, row, begin, in_.pos()});
  }

  std::vector<HeaderFieldSpan> spans;

 private:
  ArchiveReader& in_;
  FieldReader reader_;
};

bool Fail(ReadFailure* why, ReadFailure reason) {
  if (why != nullptr) *why = reason;
  return false;
}

// Line-width mode codes carry the width they stand for.
int32_t DecodeMaxDrawWidth(int32_t w) {
  if (w > -101) return w;
  if (w >= -500 && w <= -401) return 400 + w;   // 400 - |w|
  if (w >= -300 && w <= -201) return -w - 200;  // |w| - 200
  return -100;
}

void DeriveAfterRead(HeaderTables& t) {
  TEntJwwHeader& h = t.Enthd;
  h.bSenHaba100 = h.nMaxDrawWid <= -101;
  h.nMaxDrawWidBak = DecodeMaxDrawWidth(h.nMaxDrawWid);
  const int32_t packed = h.nPrtDispOnlyNonDraw;
  h.nPrtDpi = packed / 10;
  h.nPrtDispOnlyNonDraw = packed % 10;
  auto size_or = [](double& x, double fallback) {
    if (!IsFiniteDouble(x)) x = fallback;
  };
  for (TEntJwwMojiType& m : t.EntMoj) {
    size_or(m.adMojiX, 3.0);
    size_or(m.adMojiY, 3.0);
    size_or(m.adMojiD, 0.0);
  }
  size_or(h.dMojiSizeX, 3.0);
  size_or(h.dMojiSizeY, 3.0);
  size_or(h.dMojiKankaku, 0.0);
}

bool ReadInto(ArchiveReader& in, HeaderTables& t, ReadFailure* why) {
  t.Enthd.jwID = AnsiBytesToText(in.Bytes(8));
  if (t.Enthd.jwID != u"JwwData.") return Fail(why, ReadFailure::kHeader);
  t.Enthd.jwVer = in.I32();
  if (t.Enthd.jwVer < layout::kMinReadVersion || t.Enthd.jwVer > layout::kMaxReadVersion) {
    return Fail(why, ReadFailure::kVersion);
  }
  FieldReader reader(in);
  WalkHeaderFields(reader, t, t.Enthd.jwVer);
  const bool last_field_arrived = in.last_got() > 0;
  DeriveAfterRead(t);
  if (!last_field_arrived) return Fail(why, ReadFailure::kIo);
  return true;
}

void MoveInto(HeaderTables& t, TJwwData& doc) {
  doc.Enthd = std::move(t.Enthd);
  doc.EntLgrp = std::move(t.EntLgrp);
  doc.EntLay = std::move(t.EntLay);
  doc.EntCol = std::move(t.EntCol);
  doc.EntLtp1 = std::move(t.EntLtp1);
  doc.EntLtp2 = std::move(t.EntLtp2);
  doc.EntLtp3 = std::move(t.EntLtp3);
  doc.EntColS = std::move(t.EntColS);
  doc.EntLtpS = std::move(t.EntLtpS);
  doc.EntMoj = std::move(t.EntMoj);
}

}  // namespace

bool ReadHeader(ArchiveReader& in, TJwwData& doc, ReadFailure* why) {
  HeaderTables t;
  t.Enthd = doc.Enthd;
  SizeTables(t);
  const bool ok = ReadInto(in, t, why);
  MoveInto(t, doc);
  return ok;
}

void WriteHeader(ArchiveWriter& out, const TJwwData& doc, int32_t version) {
  HeaderTables t = header_io::PrepareForWrite(doc, version);
  out.Bytes(layout::kJwwMagic, 8);
  out.I32(version);
  FieldWriter writer(out);
  WalkHeaderFields(writer, t, version);
}

std::vector<HeaderFieldSpan> HeaderLayout(const uint8_t* data, size_t size) {
  bool unicode = false;
  ArchiveReader in(data, size, unicode);
  HeaderTables t;
  SizeTables(t);
  SpanRecorder rec(in);
  t.Enthd.jwID = AnsiBytesToText(in.Bytes(8));
  rec.Add("jwID", -1, 0);
  if (t.Enthd.jwID != u"JwwData.") return {};
  rec.I32(t.Enthd.jwVer, "jwVer", -1);
  if (t.Enthd.jwVer < layout::kMinReadVersion || t.Enthd.jwVer > layout::kMaxReadVersion) return {};
  WalkHeaderFields(rec, t, t.Enthd.jwVer);
  return std::move(rec.spans);
}

}  // namespace plandock
