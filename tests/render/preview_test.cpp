#include "render/preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/doc_builder.h"

namespace plandock::render {
namespace {

// The stroke colour of each drawn line, in the order of the picture.
std::vector<std::string> LineColours(const std::string& svg) {
  std::vector<std::string> colours;
  const std::string open = "<path class=\"c";
  for (size_t at = svg.find(open); at != std::string::npos; at = svg.find(open, at + 1)) {
    const std::string cls = svg.substr(at + 13, svg.find('"', at + 13) - at - 13);
    const size_t style = svg.find("." + cls + "{stroke:");
    colours.push_back(style == std::string::npos ? "?" : svg.substr(style + cls.size() + 9, 7));
  }
  return colours;
}

TEST(PreviewTest, BaseInGreyEachMergedDrawingInItsColourWithLegendAndMarks) {
  TJwwData doc;
  test::InitDrawing(doc);
  for (int i = 0; i < 5; ++i) test::Add(doc, test::Line(i, 0, i, 10));
  PreviewDescription description;
  description.base = u"base.jww";
  description.sets.push_back({u"給水.jww", u"C", {{2, 4}}, {{0, 0}}});
  description.sets.push_back({u"電気.jww", u"", {{4, 5}, {9, 9}}, {{3, 1}}});

  const std::string svg = RenderPreviewSvg(doc, description);

  EXPECT_EQ(LineColours(svg),
            (std::vector<std::string>{"#B4B4B4", "#B4B4B4", "#D62728", "#D62728", "#1F77B4"}));
  EXPECT_NE(svg.find(">base.jww</text>"), std::string::npos);
  EXPECT_NE(svg.find(">給水.jww → C</text>"), std::string::npos);
  EXPECT_NE(svg.find(">電気.jww</text>"), std::string::npos);
  const size_t marks = svg.find("<g id=\"reference-points\"");
  ASSERT_NE(marks, std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#D62728\"", marks), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#1F77B4\"", marks), std::string::npos);
}

}  // namespace
}  // namespace plandock::render
