#include "cli/render_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/jww_file.h"
#include "in_process.h"
#include "support/doc_builder.h"
#include "support/support.h"
#include "util/text.h"

namespace plandock {
namespace {

namespace fs = std::filesystem;

using Result = test::CommandRun;

Result RunRender(const std::vector<std::string>& args) {
  return test::RunInProcess(RunRenderCommand, args);
}

std::string Utf8(const fs::path& p) {
  const std::u8string s = p.u8string();
  return {s.begin(), s.end()};
}

class RenderCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    TJwwData doc;
    test::InitDrawing(doc);
    test::Add(doc, test::Line(0, 0, 10, 10, test::Attr(0, 0)));
    test::Add(doc, test::Line(0, 10, 10, 0, test::Attr(0xC, 1)));
    drawing_ = Utf8(dir_.path() / u8"平面図.jww");
    ASSERT_TRUE(FileOut(doc, Utf8ToText(drawing_), 700));
    picture_ = Utf8(dir_.path() / u8"平面図.svg");
  }

  test::ScopedTempDir dir_;
  std::string drawing_, picture_;
};

TEST_F(RenderCommandTest, WritesThePictureOfTheChosenLayerGroups) {
  Result r = RunRender({drawing_, "--out", picture_, "--width=300"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string svg = test::FileContents(test::PathFromUtf8(picture_));
  EXPECT_NE(svg.find("width=\"300\""), std::string::npos);
  EXPECT_NE(svg.find("id=\"group-0\""), std::string::npos);
  EXPECT_NE(svg.find("id=\"group-C\""), std::string::npos);

  r = RunRender({"--layer-group", "c", "--out", picture_, drawing_, "--screen"});
  ASSERT_EQ(r.status, 0) << r.err;
  svg = test::FileContents(test::PathFromUtf8(picture_));
  EXPECT_EQ(svg.find("id=\"group-0\""), std::string::npos);
  EXPECT_NE(svg.find("id=\"layer-C-1\""), std::string::npos);
}

TEST_F(RenderCommandTest, HighlightDrawsTheChosenGroupInColourAndTheRestInGrey) {
  const Result r = RunRender({drawing_, "--out", picture_, "--highlight", "12"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = test::FileContents(test::PathFromUtf8(picture_));
  EXPECT_NE(svg.find(">平面図.jww</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">[C]</text>"), std::string::npos);
  EXPECT_NE(svg.find("{stroke:#B4B4B4"), std::string::npos);
  EXPECT_NE(svg.find("{stroke:#D62728"), std::string::npos);
}

TEST_F(RenderCommandTest, UsageErrorsAndFailuresGiveTheirStatus) {
  const std::string not_a_drawing = Utf8(dir_.path() / "notes.jww");
  std::ofstream(not_a_drawing) << "not a drawing";
  struct Row {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Row rows[] = {
      {{}, 2, "no FILE given"},
      {{drawing_}, 2, "--out PICTURE.svg is required"},
      {{drawing_, "--out"}, 2, "--out needs a value"},
      {{drawing_, "--out", picture_, "--width", "15"}, 2, "--width takes"},
      {{drawing_, "--out", picture_, "--width", "1e3"}, 2, "--width takes"},
      {{drawing_, "--out", picture_, "--layer-group", "G"}, 2, "--layer-group takes"},
      {{drawing_, "--out", picture_, "--layer-group", "16"}, 2, "--layer-group takes"},
      {{drawing_, "--out", picture_, "--highlight", "-1"}, 2, "--highlight takes"},
      {{drawing_, "--out", picture_, "--screen=yes"}, 2, "--screen takes no value"},
      {{drawing_, "--out", picture_, "--colour"}, 2, "unknown option '--colour'"},
      {{drawing_, drawing_, "--out", picture_}, 2, "only one FILE"},
      {{drawing_, "--out", not_a_drawing}, 2, "--out must name an .svg file"},
      {{Utf8(dir_.path() / "missing.jww"), "--out", picture_}, 1, "cannot open"},
      {{Utf8(dir_.path()), "--out", picture_}, 1, "cannot open"},
#ifndef _WIN32
      {{"/dev/zero", "--out", picture_}, 1, "cannot open"},  // endless: refused, not read
#endif
      {{not_a_drawing, "--out", picture_}, 1, "is not a readable JWW drawing"},
      {{drawing_, "--out", Utf8(dir_.path() / "no" / "such" / "dir.svg")}, 1, "cannot write"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const Result r = RunRender(row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line";
  }
  EXPECT_EQ(test::FileContents(not_a_drawing), "not a drawing");
  EXPECT_FALSE(fs::exists(picture_));
}

TEST_F(RenderCommandTest, HelpNamesEveryFlag) {
  const Result r = RunRender({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* flag :
       {"--out", "--layer-group", "--width", "--screen", "--show-hidden", "--highlight"}) {
    EXPECT_NE(r.out.find(flag), std::string::npos) << flag;
  }
}

}  // namespace
}  // namespace plandock
