#include "cli/info_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/block_tree.h"
#include "document/document.h"
#include "document/jww_file.h"
#include "in_process.h"
#include "support/doc_builder.h"
#include "support/json.h"
#include "support/support.h"

namespace plandock {
namespace {

namespace fs = std::filesystem;

using Result = test::CommandRun;

Result RunInfo(const std::vector<std::string>& args) {
  return test::RunInProcess(RunInfoCommand, args);
}

std::vector<uint8_t> ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes, size_t n) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(n));
}

fs::path SampleOrEmpty(const char* name) {
  fs::path dir = test::SamplesDir();
  return dir.empty() ? fs::path() : dir / test::PathFromUtf8(name);
}

constexpr char kNoSamples[] = "sample drawings not found (shared/samples or PLANDOCK_SAMPLES)";

TEST(InfoCommandTest, CountsWhatSampleDrawingsHold) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  struct Row {
    const char* name;
    const char* file;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"version 600, byte strings, solids",
       "Ａマンション平面例.jww",
       {"Format: JWW version 6.00 (stored as 600)", "Text encoding: Shift-JIS (code page 932)",
        "Entities: 1754", "  lines: 1394", "  arcs: 215", "  points: 10", "  texts: 56",
        "  dimensions: 0", "  solids: 79", "  block insertions: 0", "Block definitions: 0",
        "Images: 0"}},
      {"version 700, Unicode strings, two blocks",
       "block_regressions__2blocks.jww",
       {"Format: JWW version 7.00 (stored as 700)", "Text encoding: Unicode (UTF-16)",
        "Entities: 8", "  lines: 0", "  texts: 6", "  block insertions: 2", "Block definitions: 2",
        "  0  \"2lines@@SfigorgFlag@@4\"  referenced, inserted 1 time",
        "  1  \"2circles@@SfigorgFlag@@4\"  referenced, inserted 1 time", "Images: 0"}},
      {"lines and arcs only",
       "block_regressions__non_block.jww",
       {"Entities: 12", "  lines: 4", "  arcs: 2", "  texts: 6", "Block definitions: 0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Result r = RunInfo({test::Utf8Of(SampleOrEmpty(row.file))});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const std::string& line : row.lines) {
      EXPECT_NE(r.out.find(line + "\n"), std::string::npos) << "missing: " << line << "\n" << r.out;
    }
  }
}

TEST(InfoCommandTest, MarksADefinitionNoInsertionReaches) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  // The second insertion of this sample names definition 1 in the four bytes at 16720;
  // pointing it at definition 0 leaves definition 1 unreached.
  std::vector<uint8_t> bytes = ReadBytes(SampleOrEmpty("block_regressions__2blocks.jww"));
  constexpr size_t kSecondInsertionNumber = 16720;
  ASSERT_GT(bytes.size(), kSecondInsertionNumber + 4);
  ASSERT_EQ(bytes[kSecondInsertionNumber], 1);
  bytes[kSecondInsertionNumber] = 0;
  test::ScopedTempDir tmp;
  fs::path file = tmp.path() / "edited.jww";
  WriteBytes(file, bytes, bytes.size());

  Result r = RunInfo({test::Utf8Of(file)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("  0  \"2lines@@SfigorgFlag@@4\"  referenced, inserted 2 times\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  1  \"2circles@@SfigorgFlag@@4\"  not referenced, inserted 0 times\n"),
            std::string::npos)
      << r.out;
}

TEST(InfoCommandTest, JsonIsWellFormedAndEscapesNames) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  // A version-700 drawing with an embedded image and a block name that needs escaping.
  test::ScopedTempDir tmp;
  const fs::path images = tmp.path() / "images";
  fs::create_directories(images);
  WriteBytes(images / "pic.png", std::vector<uint8_t>(5000, 0x5A), 5000);
  const fs::path file = tmp.path() / fs::path(u8"図面.jww");
  {
    TJwwData doc;
    ASSERT_TRUE(FileIn(doc, SampleOrEmpty("block_regressions__2blocks.jww").u16string()));
    doc.EntBlockDef[0].strName = u"say \"hi\" \\ 便器";
    doc.BindImageFolder = (images / "").u16string();
    doc.BindImageExr = true;
    doc.BindImage.push_back({u"pic.png", 5000, false});
    doc.EntMoji[0].str = u"^@BM%temp%pic.png,100,100,0,1";
    MakeBlockTree(doc);
    SetFileOutOption(doc, kFileOutUnicode);
    ASSERT_TRUE(FileOut(doc, file.u16string(), 700));
  }

  for (const fs::path& p : {file, SampleOrEmpty("Ａマンション平面例.jww")}) {
    SCOPED_TRACE(test::Utf8Of(p.filename()));
    Result r = RunInfo({"--json", test::Utf8Of(p)});
    ASSERT_EQ(r.status, 0) << r.err;
    test::Json json;
    EXPECT_TRUE(test::ParseJson(r.out, &json)) << r.out;
  }
  Result r = RunInfo({test::Utf8Of(file), "--json"});
  for (const char* part :
       {"\"version\": 700", "\"MojiEncode\": true",
        "\"entities\": {\"total\": 8, \"line\": 0, \"arc\": 0, \"point\": 0, \"text\": 6, "
        "\"dimension\": 0, \"solid\": 0, \"block\": 2}",
        "{\"number\": 0, \"name\": \"say \\\"hi\\\" \\\\ 便器\", \"referenced\": true, \"uses\": "
        "1}",
        "{\"name\": \"pic.png\", \"size\": 5000}", "図面.jww\""}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << "missing: " << part << "\n" << r.out;
  }
}

TEST(InfoCommandTest, UnreadableFileGivesOneLineNamingIt) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  test::ScopedTempDir tmp;
  const std::vector<uint8_t> sample = ReadBytes(SampleOrEmpty("Test1.jww"));
  const std::string text = "JwwData? this is not a drawing\n";
  struct Row {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  const Row rows[] = {
      {"cut inside the entity list", {sample.begin(), sample.begin() + sample.size() / 2}},
      {"cut inside the header", {sample.begin(), sample.begin() + 100}},
      {"another format", {text.begin(), text.end()}},
      {"empty", {}},
  };
  std::vector<std::pair<std::string, fs::path>> cases = {{"missing", tmp.path() / "none.jww"}};
  for (const Row& row : rows) {
    fs::path p = tmp.path() / (std::string(row.name) + ".jww");
    WriteBytes(p, row.bytes, row.bytes.size());
    cases.emplace_back(row.name, p);
  }
  for (const auto& [name, path] : cases) {
    SCOPED_TRACE(name);
    for (bool json : {false, true}) {
      std::vector<std::string> args = {test::Utf8Of(path)};
      if (json) args.push_back("--json");
      Result r = RunInfo(args);
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.out, "");
      EXPECT_NE(r.err.find(test::Utf8Of(path)), std::string::npos) << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
}

TEST(InfoCommandTest, RefusesWhatCannotBeADrawingBeforeReadingIt) {
  test::ScopedTempDir tmp;
  const fs::path huge = tmp.path() / "huge.jww";
  WriteBytes(huge, {}, 0);
  fs::resize_file(huge, kMaxDrawingBytes + 1);  // sparse: nothing is written
  struct Row {
    fs::path path;
    const char* message;
  };
  const Row rows[] = {
      {tmp.path(), "is not a regular file"},
      {"/dev/zero", "is not a regular file"},
      {huge, "is larger than a drawing can be"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    Result r = RunInfo({test::Utf8Of(row.path)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
  }
}

// A sample drawing with layer-group scales and reference texts of its own,
// written anew so the test knows what it holds.
fs::path SampleWithReferences(const test::ScopedTempDir& tmp) {
  TJwwData doc;
  EXPECT_TRUE(FileIn(doc, SampleOrEmpty("Ａマンション平面例.jww").u16string()));
  for (size_t g = 0; g < doc.EntLgrp.size(); ++g) doc.EntLgrp[g].adScale = 10.0 * (g + 1) + 0.5;
  doc.EntLgrp[3].anGLayProtect = 1;
  doc.EntLay[3 * 16 + 10].aStrLayName = u"設備";
  TEntJwwMoji ref = doc.EntMoji.at(0);
  ref.str = u"【基準点】";
  ref.att.nPenColor = 9;
  ref.start_x = 1250.25;
  ref.start_y = -40;
  ref.degKakudo = 30;
  TEntJwwMoji wrong_colour = ref;
  wrong_colour.att.nPenColor = 2;
  TEntJwwMoji trailing_blank = ref;
  trailing_blank.str += u" ";
  for (const TEntJwwMoji& t : {ref, wrong_colour, trailing_blank}) test::Add(doc, t);
  const fs::path file = tmp.path() / "refs.jww";
  MakeBlockTree(doc);
  EXPECT_TRUE(FileOut(doc, file.u16string(), doc.Enthd.jwVer));
  return file;
}

TEST(InfoCommandTest, JsonHoldsTheLayerGroupScalesAndReferenceTextsOfTheFile) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  test::ScopedTempDir tmp;
  const fs::path file = SampleWithReferences(tmp);
  TJwwData doc;  // what the file holds, read by the test itself
  ASSERT_TRUE(FileIn(doc, file.u16string()));

  Result r = RunInfo({"--json", test::Utf8Of(file)});
  ASSERT_EQ(r.status, 0) << r.err;
  test::Json json;
  ASSERT_TRUE(test::ParseJson(r.out, &json)) << r.out;
  const test::Json& groups = json["layerGroups"];
  ASSERT_EQ(groups.items.size(), 16u);
  for (size_t g = 0; g < 16; ++g) {
    SCOPED_TRACE(g);
    EXPECT_EQ(groups[g]["group"].number, static_cast<double>(g));
    EXPECT_EQ(groups[g]["scale"].number, doc.EntLgrp[g].adScale);
    EXPECT_EQ(groups[g]["protected"].boolean, doc.EntLgrp[g].anGLayProtect != 0);
  }
  bool named = false;
  for (const test::Json& layer : json["namedLayers"].items) {
    named |=
        layer["group"].number == 3 && layer["layer"].number == 10 && layer["name"].text == "設備";
  }
  EXPECT_TRUE(named) << r.out;

  // Every top-level text of that content, blanks aside, is listed; only the
  // one in colour 9 with the exact content counts.
  std::vector<const TEntJwwMoji*> expected;
  for (const TEntJwwMoji& t : doc.EntMoji) {
    if (t.str.rfind(u"【基準点】", 0) == 0) expected.push_back(&t);
  }
  ASSERT_EQ(expected.size(), 3u);
  const test::Json& refs = json["referenceTexts"];
  ASSERT_EQ(refs.items.size(), expected.size()) << r.out;
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(refs[i]["x"].number, expected[i]->start_x);
    EXPECT_EQ(refs[i]["y"].number, expected[i]->start_y);
    EXPECT_EQ(refs[i]["angle"].number, expected[i]->degKakudo);
    EXPECT_EQ(refs[i]["color"].number, expected[i]->att.nPenColor);
    EXPECT_EQ(refs[i]["counts"].boolean,
              expected[i]->att.nPenColor == 9 && expected[i]->str == u"【基準点】");
  }
}

TEST(InfoCommandTest, TextNamesTheReferencePointsAndWhyNearMissesDoNotCount) {
  if (test::SamplesDir().empty()) GTEST_SKIP() << kNoSamples;
  test::ScopedTempDir tmp;
  const fs::path file = SampleWithReferences(tmp);
  Result r = RunInfo({test::Utf8Of(file)});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {
           "Reference texts \"【基準点】\": 1",
           "  (1250.25, -40) at 30 degrees, colour 9",
           "  (1250.25, -40) at 30 degrees, colour 2: not a reference point (colour 2, not the "
           "auxiliary colour 9)",
           "  (1250.25, -40) at 30 degrees, colour 9: not a reference point (its blanks differ "
           "from the reference text's)",
           "  3  1:40.5  editable, protected  \"\"",
           "  group 3 layer A  editable  \"設備\"",
       }) {
    EXPECT_NE(r.out.find(std::string(line) + "\n"), std::string::npos)
        << "missing: " << line << "\n"
        << r.out;
  }

  // Another reference text, given as --opt=value and after "--" ends the options.
  r = RunInfo({"--ref-text=ありえない文字", "--", test::Utf8Of(file)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Reference texts \"ありえない文字\": 0\n"
                       "  none: a merge places this drawing by its origin\n"),
            std::string::npos)
      << r.out;
}

TEST(InfoCommandTest, UsageErrorsExitTwo) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    int status;
  };
  const Row rows[] = {
      {"no file", {}, 2},
      {"only the flag", {"--json"}, 2},
      {"two files", {"a.jww", "b.jww"}, 2},
      {"unknown option", {"--xml", "a.jww"}, 2},
      {"reference text without its value", {"a.jww", "--ref-text"}, 2},
      {"blank reference text", {"a.jww", "--ref-text=  "}, 2},
      {"reference text twice", {"a.jww", "--ref-text", "A", "--ref-text", "B"}, 2},
      {"help", {"--help"}, 0},
      {"short help", {"-h"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Result r = RunInfo(row.args);
    EXPECT_EQ(r.status, row.status);
    const std::string& usage = row.status == 0 ? r.out : r.err;
    EXPECT_NE(usage.find("usage: plandock info FILE [--json] [--ref-text T]"), std::string::npos)
        << usage;
  }
}

}  // namespace
}  // namespace plandock
