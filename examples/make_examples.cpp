// Writes the demo's example drawings: a 1:100 floor plan and two overlays, a
// 1:50 plumbing plan and a 1:200 electrical plan, each with its reference text.
#include <cmath>
#include <cstdio>
#include <string>

#include "example_drawing.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock::examples {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char16_t kReference[] = u"【基準点】";
constexpr double kPlanScale = 100;

// Where a drawing puts the plan: a point of the plan, in plan millimetres from
// the plan's reference point, lands at reference + factor * point. The factor
// is the plan's scale over the drawing's, so a merge in real size puts every
// overlay back onto the plan.
struct Frame {
  double ref_x;
  double ref_y;
  double factor;
  double X(double plan_x) const { return ref_x + factor * plan_x; }
  double Y(double plan_y) const { return ref_y + factor * plan_y; }
};

// The house: 9100 x 7280 on a 910 grid, outer walls 120 thick.
void DrawWalls(TJwwData& doc) {
  const TEntJwwAttr wall = Attr(0, 0, 2);
  AddBox(doc, wall, -60, -60, 9160, 7340);
  AddBox(doc, wall, 60, 60, 9040, 7220);
  AddLine(doc, wall, 3640, 60, 3640, 7220);    // living room | kitchen and bath
  AddLine(doc, wall, 3640, 3640, 9040, 3640);  // kitchen | bedroom
  AddLine(doc, wall, 6370, 60, 6370, 3640);    // kitchen | bath and toilet
  AddLine(doc, wall, 6370, 1820, 9040, 1820);  // bath | toilet
}

void DrawDoors(TJwwData& doc) {
  const TEntJwwAttr door = Attr(0, 1, 3);
  // Each door: a leaf and its swing.
  const double doors[][3] = {{3640, 2000, 0}, {6370, 2700, kPi / 2}, {5000, 3640, kPi}};
  for (const auto& d : doors) {
    AddLine(doc, door, d[0], d[1], d[0] + 800 * std::cos(d[2]), d[1] + 800 * std::sin(d[2]));
    AddArc(doc, door, d[0], d[1], 800, d[2], kPi / 2);
  }
  AddBox(doc, Attr(0, 1, 3), 1000, -60, 2800, 60);  // window of the living room
  AddBox(doc, Attr(0, 1, 3), 5200, 7220, 7800, 7340);
}

void DrawPlanTexts(TJwwData& doc) {
  const TEntJwwAttr text = Attr(0, 3, 1);
  AddText(doc, text, 1200, 3500, u"居間", 5, kPlanScale);
  AddText(doc, text, 4300, 1800, u"台所", 5, kPlanScale);
  AddText(doc, text, 7000, 2600, u"浴室", 5, kPlanScale);
  AddText(doc, text, 7000, 700, u"便所", 5, kPlanScale);
  AddText(doc, text, 5600, 5300, u"洋室 6帖", 5, kPlanScale);
  AddText(doc, text, 0, -2200, u"木造平屋建 平面図 S=1/100", 5, kPlanScale);
  AddText(doc, Attr(0, 3, kColorAux), 0, 0, kReference, 3, kPlanScale);
  AddDimension(doc, Attr(0, 2, 1), -60, 9160, -1000, kPlanScale);
  AddDimension(doc, Attr(0, 2, 1), -60, 3640, -600, kPlanScale);
  for (double x = 0; x <= 9100; x += 910) AddPoint(doc, Attr(0, 2, kColorAux), x, -300);
}

// The toilet pan as the architect draws it.
void DrawToiletBlock(TJwwData& doc) {
  TEntJwwBlockDef& def = AddBlockDef(doc, 1, u"便器");
  AddArc(def, Attr(0, 4, 1), 0, 250, 200, 0, 2 * kPi);
  AddLine(def, Attr(0, 4, 1), -200, -100, 200, -100);
  AddLine(def, Attr(0, 4, 1), -200, -100, -200, 50);
  AddLine(def, Attr(0, 4, 1), 200, -100, 200, 50);
  AddInsert(doc, Attr(0, 4, 1), 1, 7700, 300);
}

bool MakePlan(const std::u16string& path) {
  TJwwData doc;
  InitDrawing(doc, 700, kPlanScale);
  NameLayerGroup(doc, 0, u"平面図");
  const char16_t* layers[] = {u"壁", u"建具", u"寸法", u"文字", u"設備記号"};
  for (int i = 0; i < 5; ++i) NameLayer(doc, 0, i, layers[i]);
  DrawWalls(doc);
  DrawDoors(doc);
  DrawPlanTexts(doc);
  DrawToiletBlock(doc);
  return WriteDrawing(doc, path);
}

bool MakePlumbing(const std::u16string& path) {
  constexpr double kScale = 50;
  const Frame f{1000, 1000, kPlanScale / kScale};
  TJwwData doc;
  InitDrawing(doc, 700, kScale);
  NameLayerGroup(doc, 0, u"衛生設備");
  NameLayer(doc, 0, 0, u"給水");
  NameLayer(doc, 0, 1, u"排水");
  NameLayer(doc, 0, 2, u"器具");
  const TEntJwwAttr water = Attr(0, 0, 5);
  const TEntJwwAttr drain = Attr(0, 1, 4, 2);
  AddLine(doc, water, f.X(9400), f.Y(2500), f.X(6600), f.Y(2500));
  AddLine(doc, water, f.X(6600), f.Y(2500), f.X(6600), f.Y(400));
  AddLine(doc, water, f.X(6600), f.Y(400), f.X(7700), f.Y(400));
  AddLine(doc, drain, f.X(7700), f.Y(300), f.X(7700), f.Y(-600));
  AddLine(doc, drain, f.X(8200), f.Y(2600), f.X(8200), f.Y(-600));
  AddLine(doc, drain, f.X(7700), f.Y(-600), f.X(9600), f.Y(-600));
  AddArc(doc, Attr(0, 2, 5), f.X(8200), f.Y(2600), f.factor * 150, 0, 2 * kPi);  // floor drain
  AddText(doc, Attr(0, 0, 5), f.X(6700), f.Y(2650), u"給水管 20A", 3, kScale);
  AddText(doc, Attr(0, 1, 4), f.X(8300), f.Y(-900), u"排水管 75A", 3, kScale);
  AddText(doc, Attr(0, 2, kColorAux), f.X(0), f.Y(0), kReference, 3, kScale);
  // The plumber's toilet: same name as the architect's, other contents.
  TEntJwwBlockDef& def = AddBlockDef(doc, 1, u"便器");
  AddArc(def, Attr(0, 2, 5), 0, 0, f.factor * 250, 0, 2 * kPi);
  AddLine(def, Attr(0, 2, 5), 0, 0, 0, -f.factor * 300);
  AddInsert(doc, Attr(0, 2, 5), 1, f.X(7700), f.Y(300));
  return WriteDrawing(doc, path);
}

bool MakeElectrical(const std::u16string& path) {
  constexpr double kScale = 200;
  const Frame f{-500, 2000, kPlanScale / kScale};
  TJwwData doc;
  InitDrawing(doc, 600, kScale);
  NameLayerGroup(doc, 0, u"電気設備");
  NameLayer(doc, 0, 0, u"配線");
  NameLayer(doc, 0, 1, u"器具");
  const TEntJwwAttr wire = Attr(0, 0, 6);
  const TEntJwwAttr fixture = Attr(0, 1, 6);
  const double lights[][2] = {{1800, 3600}, {5000, 1800}, {6300, 5400}};
  for (const auto& l : lights) {
    AddArc(doc, fixture, f.X(l[0]), f.Y(l[1]), f.factor * 200, 0, 2 * kPi);
    AddLine(doc, fixture, f.X(l[0] - 140), f.Y(l[1] - 140), f.X(l[0] + 140), f.Y(l[1] + 140));
    AddLine(doc, fixture, f.X(l[0] - 140), f.Y(l[1] + 140), f.X(l[0] + 140), f.Y(l[1] - 140));
  }
  AddLine(doc, wire, f.X(1800), f.Y(3600), f.X(5000), f.Y(1800));
  AddLine(doc, wire, f.X(5000), f.Y(1800), f.X(6300), f.Y(5400));
  TEntJwwBlockDef& outlet = AddBlockDef(doc, 1, u"コンセント");
  AddArc(outlet, fixture, 0, 0, f.factor * 120, 0, kPi);
  AddLine(outlet, fixture, -f.factor * 120, 0, f.factor * 120, 0);
  const double outlets[][2] = {{200, 1500}, {3500, 5000}, {3780, 1000}, {8900, 5000}};
  for (const auto& o : outlets) AddInsert(doc, fixture, 1, f.X(o[0]), f.Y(o[1]));
  AddText(doc, Attr(0, 1, 6), f.X(200), f.Y(6600), u"照明・コンセント", 3, kScale);
  AddText(doc, Attr(0, 1, kColorAux), f.X(0), f.Y(0), kReference, 3, kScale);
  return WriteDrawing(doc, path);
}

}  // namespace
}  // namespace plandock::examples

int main(int argc, char** argv) {
  using namespace plandock;
  if (argc != 2) {
    std::fputs("usage: plandock_make_examples FOLDER\n", stderr);
    return 2;
  }
  std::u16string folder = Utf8ToText(argv[1]);
  platform::CreateDirs(folder);
  if (folder.back() != u'/' && folder.back() != u'\\') folder += platform::NativeSeparator();
  const struct {
    const char* name;
    bool (*make)(const std::u16string&);
  } drawings[] = {{"base_plan.jww", examples::MakePlan},
                  {"plumbing_overlay.jww", examples::MakePlumbing},
                  {"electrical_overlay.jww", examples::MakeElectrical}};
  for (const auto& d : drawings) {
    const std::u16string path = folder + Utf8ToText(d.name);
    if (!d.make(path)) {
      std::fprintf(stderr, "cannot write %s\n", TextToUtf8(path).c_str());
      return 1;
    }
    std::printf("%s\n", TextToUtf8(path).c_str());
  }
  return 0;
}
