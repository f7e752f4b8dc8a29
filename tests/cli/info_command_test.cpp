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
#include "support/support.h"

namespace plandock {
namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out, err;
};

Result RunInfo(const std::vector<std::string>& args) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  int status = RunInfoCommand(args);
  std::string out = testing::internal::GetCapturedStdout();
  return {status, out, testing::internal::GetCapturedStderr()};
}

std::vector<uint8_t> ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes, size_t n) {
  std::ofstream out(p, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(n));
}

// A strict JSON grammar check: no trailing text, no raw control characters in strings.
class JsonChecker {
 public:
  explicit JsonChecker(const std::string& s) : s_(s) {}
  bool Valid() {
    bool ok = Value();
    Space();
    return ok && i_ == s_.size();
  }

 private:
  void Space() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r'))
      ++i_;
  }
  bool Eat(char c) {
    Space();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  bool Word(const char* w) {
    Space();
    size_t n = std::char_traits<char>::length(w);
    if (s_.compare(i_, n, w) != 0) return false;
    i_ += n;
    return true;
  }
  bool String() {
    if (!Eat('"')) return false;
    while (i_ < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[i_++]);
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') continue;
      if (i_ >= s_.size()) return false;
      char e = s_[i_++];
      if (e == 'u') {
        for (int k = 0; k < 4; ++k, ++i_) {
          if (i_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[i_]))) return false;
        }
      } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
        return false;
      }
    }
    return false;
  }
  bool Number() {
    Space();
    size_t start = i_;
    if (i_ < s_.size() && s_[i_] == '-') ++i_;
    while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
    return i_ > start && std::isdigit(static_cast<unsigned char>(s_[i_ - 1]));
  }
  template <class Item>
  bool Sequence(char close, Item item) {
    if (Eat(close)) return true;
    do {
      if (!item()) return false;
    } while (Eat(','));
    return Eat(close);
  }
  bool Value() {
    Space();
    if (i_ >= s_.size()) return false;
    switch (s_[i_]) {
      case '{':
        ++i_;
        return Sequence('}', [this] { return String() && Eat(':') && Value(); });
      case '[':
        ++i_;
        return Sequence(']', [this] { return Value(); });
      case '"':
        return String();
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  const std::string& s_;
  size_t i_ = 0;
};

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
       {"Version: 600", "MojiEncode: false", "Entities: 1754", "  lines: 1394", "  arcs: 215",
        "  points: 10", "  texts: 56", "  dimensions: 0", "  solids: 79", "  block insertions: 0",
        "Block definitions: 0", "Images: 0"}},
      {"version 700, Unicode strings, two blocks",
       "block_regressions__2blocks.jww",
       {"Version: 700", "MojiEncode: true", "Entities: 8", "  lines: 0", "  texts: 6",
        "  block insertions: 2", "Block definitions: 2",
        "  0  \"2lines@@SfigorgFlag@@4\"  referenced",
        "  1  \"2circles@@SfigorgFlag@@4\"  referenced", "Images: 0"}},
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
  EXPECT_NE(r.out.find("  0  \"2lines@@SfigorgFlag@@4\"  referenced\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  1  \"2circles@@SfigorgFlag@@4\"  not referenced\n"), std::string::npos)
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
    EXPECT_TRUE(JsonChecker(r.out).Valid()) << r.out;
  }
  Result r = RunInfo({test::Utf8Of(file), "--json"});
  for (const char* part :
       {"\"version\": 700", "\"MojiEncode\": true",
        "\"entities\": {\"total\": 8, \"line\": 0, \"arc\": 0, \"point\": 0, \"text\": 6, "
        "\"dimension\": 0, \"solid\": 0, \"block\": 2}",
        "{\"number\": 0, \"name\": \"say \\\"hi\\\" \\\\ 便器\", \"referenced\": true}",
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
      {"help", {"--help"}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Result r = RunInfo(row.args);
    EXPECT_EQ(r.status, row.status);
    const std::string& usage = row.status == 0 ? r.out : r.err;
    EXPECT_NE(usage.find("usage: plandock info FILE [--json]"), std::string::npos) << usage;
  }
}

}  // namespace
}  // namespace plandock
