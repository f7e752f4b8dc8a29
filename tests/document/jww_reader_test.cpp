#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "document/entity_io.h"
#include "document/jww_file.h"
#include "document/jww_fixtures.h"
#include "support/support.h"

namespace plandock {
namespace {

using test::Bytes;
using test::HeaderFields;

// An empty drawing of the given version as the writer stores it.
Bytes EmptyDrawing(int32_t version) {
  TJwwData doc;
  test::SizeTablesAsRead(doc);
  return test::WriteToBuffer(doc, version);
}

bool Read(const Bytes& file, TJwwData& doc, ReadFailure* why, size_t* end = nullptr) {
  return FileInMemory(doc, file.data(), file.size(), why, end);
}

TEST(JwwReaderTest, EmptyDrawingsOfEveryReadableVersionReadToTheirEnd) {
  for (int32_t version : {220, 230, 231, 351, 420, 600, 700}) {
    SCOPED_TRACE(version);
    const Bytes file = EmptyDrawing(version);
    TJwwData doc;
    doc.BindImageExr = true;
    ReadFailure why = ReadFailure::kIo;
    size_t end = 0;
    ASSERT_TRUE(Read(file, doc, &why, &end));
    EXPECT_EQ(why, ReadFailure::kNone);
    EXPECT_EQ(end, file.size());
    EXPECT_EQ(doc.Enthd.jwID, u"JwwData.");
    EXPECT_EQ(doc.Enthd.jwVer, version);
    EXPECT_EQ(doc.EntLay.size(), 256u);
    EXPECT_EQ(doc.EntColS.size(), 257u);
    EXPECT_EQ(doc.EntLtpS.size(), 33u);
    EXPECT_EQ(doc.Enthd.n1, 0);
    EXPECT_EQ(doc.Enthd.n2, 0);
  }
}

TEST(JwwReaderTest, RejectsForeignFilesAndUnknownVersions) {
  const Bytes good = EmptyDrawing(600);
  struct Row {
    const char* name;
    Bytes file;
    ReadFailure why;
  };
  auto with_version = [&](int32_t v) {
    Bytes b = good;
    test::PutI32(b, 8, v);
    return b;
  };
  Bytes bad_magic = good;
  bad_magic[6] = 'A';
  const Row rows[] = {
      {"empty file", {}, ReadFailure::kHeader},
      {"short magic", Bytes(good.begin(), good.begin() + 7), ReadFailure::kHeader},
      {"bad magic", bad_magic, ReadFailure::kHeader},
      {"version 219", with_version(219), ReadFailure::kVersion},
      {"version 701", with_version(701), ReadFailure::kVersion},
      {"negative version", with_version(-600), ReadFailure::kVersion},
      {"no version", Bytes(good.begin(), good.begin() + 8), ReadFailure::kVersion},
      {"header cut before its last field", Bytes(good.begin(), good.end() - 4 - 8),
       ReadFailure::kIo},
      {"no entity list", Bytes(good.begin(), good.end() - 4), ReadFailure::kIo},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    TJwwData doc;
    ReadFailure why = ReadFailure::kNone;
    EXPECT_FALSE(Read(r.file, doc, &why));
    EXPECT_EQ(why, r.why);
  }
}

TEST(JwwReaderTest, LineWidthModeCodesAreDecoded) {
  const struct {
    int32_t stored;
    bool mode;
    int32_t width;
  } rows[] = {{-450, true, -50},  {-250, true, 50},   {-101, true, -100}, {-100, false, -100},
              {-500, true, -100}, {-401, true, -1},   {-300, true, 100},  {-201, true, 1},
              {-350, true, -100}, {-501, true, -100}, {25, false, 25}};
  const Bytes base = EmptyDrawing(600);
  const size_t pos = HeaderFields(base).Span("nMaxDrawWid").begin;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.stored);
    Bytes file = base;
    test::PutI32(file, pos, r.stored);
    TJwwData doc;
    ASSERT_TRUE(Read(file, doc, nullptr));
    EXPECT_EQ(doc.Enthd.nMaxDrawWid, r.stored);
    EXPECT_EQ(doc.Enthd.bSenHaba100, r.mode);
    EXPECT_EQ(doc.Enthd.nMaxDrawWidBak, r.width);
  }
}

TEST(JwwReaderTest, PackedPrintValueIsSplit) {
  const struct {
    int32_t stored, dpi, disp;
  } rows[] = {{37, 3, 7}, {10, 1, 0}, {1, 0, 1}, {-13, -1, -3}};
  const Bytes base = EmptyDrawing(600);
  const size_t pos = HeaderFields(base).Span("nPrtDispOnlyNonDraw").begin;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.stored);
    Bytes file = base;
    test::PutI32(file, pos, r.stored);
    TJwwData doc;
    ASSERT_TRUE(Read(file, doc, nullptr));
    EXPECT_EQ(doc.Enthd.nPrtDpi, r.dpi);
    EXPECT_EQ(doc.Enthd.nPrtDispOnlyNonDraw, r.disp);
  }
}

TEST(JwwReaderTest, NonFiniteTextSizesAreRepaired) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  Bytes file = EmptyDrawing(600);
  HeaderFields f(file);
  test::PutF64(file, f.Span("EntMoj.adMojiX", 2).begin, inf);
  test::PutF64(file, f.Span("EntMoj.adMojiY", 2).begin, nan);
  test::PutF64(file, f.Span("EntMoj.adMojiD", 2).begin, -inf);
  test::PutF64(file, f.Span("EntMoj.adMojiY", 3).begin, 7.5);
  test::PutF64(file, f.Span("dMojiSizeX").begin, nan);
  test::PutF64(file, f.Span("dMojiSizeY").begin, -inf);
  test::PutF64(file, f.Span("dMojiKankaku").begin, nan);
  TJwwData doc;
  ASSERT_TRUE(Read(file, doc, nullptr));
  EXPECT_EQ(doc.EntMoj[2].adMojiX, 3.0);
  EXPECT_EQ(doc.EntMoj[2].adMojiY, 3.0);
  EXPECT_EQ(doc.EntMoj[2].adMojiD, 0.0);
  EXPECT_EQ(doc.EntMoj[3].adMojiY, 7.5);
  EXPECT_EQ(doc.Enthd.dMojiSizeX, 3.0);
  EXPECT_EQ(doc.Enthd.dMojiSizeY, 3.0);
  EXPECT_EQ(doc.Enthd.dMojiKankaku, 0.0);
}

TEST(JwwReaderTest, OnlyTheMemoKeepsControlCharacters) {
  const Bytes base = EmptyDrawing(600);
  HeaderFields f(base);
  // Splice later fields first so that earlier spans stay valid.
  Bytes file = test::Splice(base, f.Span("EntLgrp.aStrGLayName", 3), {4, 'g', '\r', '\n', 'h'});
  file = test::Splice(file, f.Span("EntLay.aStrLayName", 9), {3, 'a', '\t', 'b'});
  file = test::Splice(file, f.Span("strMemo"), {4, 'x', '\r', '\n', 'y'});
  TJwwData doc;
  ASSERT_TRUE(Read(file, doc, nullptr));
  EXPECT_EQ(doc.Enthd.strMemo, u"x\r\ny");
  EXPECT_EQ(doc.EntLay[9].aStrLayName, u"ab");
  EXPECT_EQ(doc.EntLgrp[3].aStrGLayName, u"gh");
  EXPECT_FALSE(doc.MojiEncode);
}

TEST(JwwReaderTest, OneUnicodeLayerNameMarksTheDrawing) {
  const Bytes base = EmptyDrawing(600);
  const Bytes file = test::Splice(base, HeaderFields(base).Span("EntLay.aStrLayName", 0),
                                  {0xFF, 0xFE, 0xFF, 0x01, 0xC1, 0x58});
  TJwwData doc;
  ASSERT_TRUE(Read(file, doc, nullptr));
  EXPECT_EQ(doc.EntLay[0].aStrLayName, u"\u58c1");
  EXPECT_TRUE(doc.MojiEncode);
}

TEST(JwwReaderTest, ReadingStartsFromAnEmptyDocumentButKeepsImageSettings) {
  TJwwData doc;
  doc.BindImageFolder = u"/images/";
  doc.BindImageExp = true;
  doc.BindImageExr = true;
  doc.FileOutOpt = kFileOutUnicode;
  doc.AddEntNo(kEntLine, 0);
  doc.EntLine.resize(1);
  doc.Enthd.strMemo = u"previous";
  const Bytes file = EmptyDrawing(600);
  ASSERT_TRUE(FileInMemory(doc, file.data(), file.size()));
  EXPECT_EQ(doc.BindImageFolder, u"/images/");
  EXPECT_TRUE(doc.BindImageExp);
  EXPECT_TRUE(doc.BindImageExr);
  EXPECT_EQ(doc.FileOutOpt, 0);
  EXPECT_TRUE(doc.EntLine.empty());
  EXPECT_EQ(doc.Enthd.n1, 0);
  EXPECT_EQ(doc.Enthd.strMemo, u"");
}

TEST(JwwReaderTest, MissingFileGivesAnEmptyDocument) {
  test::ScopedTempDir dir;
  TJwwData doc;
  doc.BindImageFolder = u"/images/";
  test::SizeTablesAsRead(doc);
  ReadFailure why = ReadFailure::kNone;
  EXPECT_FALSE(FileIn(doc, (dir.path() / "missing.jww").u16string(), &why));
  EXPECT_EQ(why, ReadFailure::kCannotOpen);
  EXPECT_TRUE(doc.EntLay.empty());
  EXPECT_EQ(doc.BindImageFolder, u"/images/");
}

// ---- Real drawings ----

TEST(JwwReaderTest, EverySampleReadsToItsLastByte) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  for (const auto& path : samples) {
    SCOPED_TRACE(test::Utf8Of(path.filename()));
    const Bytes file = test::ReadBytes(path);
    TJwwData doc;
    doc.BindImageExr = true;  // step over image data without extracting it
    ReadFailure why = ReadFailure::kIo;
    size_t end = 0;
    ASSERT_TRUE(Read(file, doc, &why, &end));
    EXPECT_EQ(why, ReadFailure::kNone);
    EXPECT_EQ(end, file.size());
    EXPECT_GT(doc.Enthd.n1, 0);
    EXPECT_EQ(doc.Enthd.n1, static_cast<int32_t>(doc.EntNo.size()));
    EXPECT_EQ(doc.Enthd.n2, doc.EntBlockDefN());
    // And through the file system, as the merge job reads.
    TJwwData from_file;
    from_file.BindImageExr = true;
    EXPECT_TRUE(FileIn(from_file, path.u16string()));
    EXPECT_EQ(from_file.Enthd.n1, doc.Enthd.n1);
  }
}

TEST(JwwReaderTest, BlockNamesOfRealDrawingsKeepTheirCharacters) {
  const auto dir = test::SamplesDir();
  if (dir.empty()) GTEST_SKIP() << "sample drawings folder not found";
  const auto path = dir / "block_regressions__2blocks.jww";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "block_regressions__2blocks.jww not found";
  TJwwData doc;
  doc.BindImageExr = true;
  ASSERT_TRUE(FileIn(doc, path.u16string()));
  std::vector<std::u16string> names;
  for (const TEntJwwBlockDef& def : doc.EntBlockDef) names.push_back(def.strName);
  EXPECT_NE(std::find(names.begin(), names.end(), u"2lines@@SfigorgFlag@@4"), names.end())
      << "block names read: " << names.size();
}

// Where the block-definition list starts: after the header and the entity list.
size_t BlockListStart(const Bytes& file) {
  TJwwData doc;
  ArchiveReader in(file.data(), file.size(), doc.MojiEncode);
  if (!ReadHeader(in, doc, nullptr)) return 0;
  ArchiveClasses classes;
  if (!ReadEntityList(in, doc, doc.Enthd.jwVer, classes, nullptr)) return 0;
  return in.pos();
}

// Reasons a cut inside magic or version gives: the missing bytes read as zero.
ReadFailure ReasonForCut(const Bytes& file, size_t cut) {
  if (cut < 8) return ReadFailure::kHeader;
  if (cut < 12) {
    int32_t v = 0;
    for (size_t i = 8; i < cut; ++i) v |= int32_t{file[i]} << (8 * (i - 8));
    if (v < 220 || v > 700) return ReadFailure::kVersion;
  }
  return ReadFailure::kIo;
}

TEST(JwwReaderTest, TruncatedSamplesFailWithoutCrashing) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  for (const char* name : {"Test2.jww", "block_regressions__2blocks.jww"}) {
    const auto path = test::SamplesDir() / name;
    if (!std::filesystem::exists(path)) continue;
    const Bytes file = test::ReadBytes(path);
    const size_t header_end = HeaderFields(file).HeaderEnd();
    const size_t blocks_start = BlockListStart(file);
    ASSERT_GT(header_end, 12u);
    ASSERT_GT(blocks_start, header_end);
    std::vector<size_t> cuts;
    for (size_t c = 0; c < 64; ++c) cuts.push_back(c);
    for (size_t c = 64; c < file.size(); c += 61) cuts.push_back(c);
    for (size_t c = file.size() - 64; c < file.size(); ++c) cuts.push_back(c);
    for (size_t cut : cuts) {
      SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(cut));
      const Bytes part(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
      TJwwData doc;
      doc.BindImageExr = true;
      ReadFailure why = ReadFailure::kNone;
      const bool ok = Read(part, doc, &why);
      if (cut < blocks_start) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(why, ReasonForCut(file, cut));
      } else {
        // A cut inside the last object of a list may still read; any failure is an I/O one.
        EXPECT_EQ(why, ok ? ReadFailure::kNone : ReadFailure::kIo);
      }
    }
  }
}

TEST(JwwReaderTest, DamagedSamplesNeverCrash) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  const Bytes file = test::ReadBytes(samples.front());
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 400; ++round) {
    Bytes damaged = file;
    const int flips = 1 + round % 4;
    for (int i = 0; i < flips; ++i) {
      damaged[next() % damaged.size()] ^= static_cast<uint8_t>(1 + next() % 255);
    }
    TJwwData doc;
    doc.BindImageExr = true;
    ReadFailure why = ReadFailure::kNone;
    const bool ok = Read(damaged, doc, &why);
    EXPECT_EQ(ok, why == ReadFailure::kNone) << "round " << round;
  }
}

TEST(JwwReaderTest, HugeAnnouncedCountsFailAtOnce) {
  const auto samples = test::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "sample drawings folder not found";
  const Bytes file = test::ReadBytes(samples.front());
  const size_t header_end = HeaderFields(file).HeaderEnd();
  const size_t blocks_start = BlockListStart(file);
  ASSERT_GT(blocks_start, header_end);
  // Long-form counts of 0x7FFFFFFF in place of the stored short counts.
  const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
  for (size_t at : {header_end, blocks_start}) {
    SCOPED_TRACE(at);
    ASSERT_NE(test::I32At(file, at) & 0xFFFF, 0xFFFF) << "expected a short count";
    Bytes damaged = test::Splice(file, HeaderFieldSpan{"count", -1, at, at + 2}, huge);
    TJwwData doc;
    ReadFailure why = ReadFailure::kNone;
    EXPECT_FALSE(Read(damaged, doc, &why));
    EXPECT_EQ(why, ReadFailure::kIo);
  }
}

// A drawing read for a merge must not lose its entities over its images.
TEST(JwwReaderTest, ImageSectionCutShortKeepsTheDrawingBeforeIt) {
  const auto samples = test::SampleDrawings();
  auto it = std::find_if(samples.begin(), samples.end(), [](const auto& p) {
    return p.filename() == "block_regressions__2blocks.jww";
  });
  if (it == samples.end()) GTEST_SKIP() << "block_regressions__2blocks.jww not found";
  const Bytes file = test::ReadBytes(*it);
  TJwwData whole;
  size_t images_at = 0;  // without either image flag the reading stops before the section
  ASSERT_TRUE(Read(file, whole, nullptr, &images_at));
  ASSERT_EQ(whole.Enthd.jwVer, 700);
  ASSERT_GT(whole.EntBlockDefN(), 0);

  struct Row {
    const char* name;
    int32_t count;
    std::string rest;  // what follows the count before the data ends
    int images;
  };
  // Two entries need 10 bytes at least: one name of 5 characters and its size.
  const std::string entry = std::string(
                                "\x05"
                                "a.png") +
                            std::string("\x32\0\0\0", 4);
  const Row rows[] = {
      {"a count that just fits", 2, entry, 2},
      {"a count that does not fit", 3, entry, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(images_at));
    cut.resize(cut.size() + 4);
    test::PutI32(cut, cut.size() - 4, row.count);
    cut.insert(cut.end(), row.rest.begin(), row.rest.end());
    test::ScopedTempDir tmp;
    TJwwData doc;
    doc.BindImageFolder = (tmp.path() / "").u16string();
    doc.BindImageExp = true;
    doc.BindImageExr = true;
    ReadFailure why = ReadFailure::kIo;
    ASSERT_TRUE(Read(cut, doc, &why));
    EXPECT_EQ(why, ReadFailure::kNone);
    EXPECT_EQ(doc.EntNo.size(), whole.EntNo.size());
    EXPECT_EQ(doc.EntBlockDefN(), whole.EntBlockDefN());
    EXPECT_EQ(doc.EntBlockTreeN(), whole.EntBlockTreeN());
    EXPECT_EQ(doc.BindImageN(), row.images);
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));  // the image cut short is not extracted
  }
}

TEST(JwwReaderTest, WhatCannotBeADrawingFileIsRefusedBeforeReading) {
  test::ScopedTempDir tmp;
  const std::filesystem::path huge = tmp.path() / "huge.jww";
  test::WriteBytes(huge, EmptyDrawing(600));
  std::filesystem::resize_file(huge, kMaxDrawingBytes + 1);  // sparse: nothing is written
  const std::pair<std::filesystem::path, ReadFailure> rows[] = {
      {tmp.path(), ReadFailure::kNotRegularFile},
      {"/dev/zero", ReadFailure::kNotRegularFile},
      {huge, ReadFailure::kTooLarge},
  };
  for (const auto& [p, reason] : rows) {
    SCOPED_TRACE(p);
    TJwwData doc;
    ReadFailure why = ReadFailure::kNone;
    EXPECT_FALSE(FileIn(doc, p.u16string(), &why));
    EXPECT_EQ(why, reason);
    EXPECT_EQ(doc.Enthd.jwVer, TJwwData().Enthd.jwVer);  // nothing was read
  }
}

}  // namespace
}  // namespace plandock
