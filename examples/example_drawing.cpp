// Building believable drawings in code.
#include "example_drawing.h"

#include <cmath>
#include <utility>

#include "document/block_tree.h"
#include "document/empty_drawing.h"
#include "document/jww_file.h"
#include "util/number.h"

namespace plandock::examples {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char16_t kFont[] = u"ＭＳ ゴシック";

template <class T>
void Push(TJwwData& doc, std::vector<T>& to, const T& e, int32_t kind) {
  to.push_back(e);
  doc.AddEntNo(kind, static_cast<int32_t>(to.size() - 1));
}

template <class T>
void Push(TEntJwwBlockDef& def, std::vector<T>& to, const T& e, int32_t kind) {
  to.push_back(e);
  def.mNo.push_back({kind, static_cast<int32_t>(to.size() - 1)});
}

void InitPens(TJwwData& doc) {
  // Screen colours of pens 0 (background) .. 9, as a fresh drawing has them.
  const int32_t colors[10] = {0xFFFFFF, 0x000000, 0x0000FF, 0x00C000, 0xFF0000,
                              0xFF00FF, 0xFFFF00, 0x00FFFF, 0x808080, 0x0080FF};
  for (int i = 0; i < 10; ++i) {
    doc.EntCol[i] = {colors[i], 1, colors[i], 1, 0.5};
  }
  for (int i = 0; i < 10; ++i) {
    const double size = 2.0 + 0.5 * i;
    doc.EntMoj[i] = {size, size, 0.0, 1};
  }
}

TEntJwwEnko MakeArc(TEntJwwAttr att, double cx, double cy, double radius, double start,
                    double sweep) {
  TEntJwwEnko a;
  a.att = att;
  a.start_x = cx;
  a.start_y = cy;
  a.dHankei = radius;
  a.radKaishiKaku = start;
  a.radEnkoKaku = sweep;
  a.dHenpeiRitsu = 1;
  a.bZenEnFlg = std::abs(sweep - 2 * kPi) < 1e-12 ? 1 : 0;
  return a;
}

TEntJwwMoji MakeText(TEntJwwAttr att, double x, double y, const std::u16string& str, double size,
                     double scale) {
  TEntJwwMoji t;
  t.att = att;
  t.start_x = x;
  t.start_y = y;
  // Full-width characters take the whole size, the others half of it.
  double width = 0;
  for (const char16_t c : str) width += (c < 0x80 ? 0.5 : 1.0) * size;
  t.end_x = x + width * scale;
  t.end_y = y;
  t.dSizeX = size;
  t.dSizeY = size;
  t.strFontName = kFont;
  t.str = str;
  return t;
}

}  // namespace

TEntJwwAttr Attr(int group, int layer, int color, int style) {
  TEntJwwAttr a;
  a.nGLayer = static_cast<uint16_t>(group);
  a.nLayer = static_cast<uint16_t>(layer);
  a.nPenColor = static_cast<uint16_t>(color);
  a.nPenStyle = static_cast<uint8_t>(style);
  a.nPenWidth = 1;
  return a;
}

void InitDrawing(TJwwData& doc, int32_t version, double scale) {
  MakeEmptyDrawing(doc, version);
  doc.Enthd.nZumen = 3;  // A3
  for (TEntJwwLayerGroup& group : doc.EntLgrp) group.adScale = scale;
  InitPens(doc);
}

void NameLayerGroup(TJwwData& doc, int group, const std::u16string& name) {
  doc.EntLgrp[group].aStrGLayName = name;
}

void NameLayer(TJwwData& doc, int group, int layer, const std::u16string& name) {
  doc.EntLay[group * 16 + layer].aStrLayName = name;
}

void AddLine(TJwwData& doc, TEntJwwAttr att, double x1, double y1, double x2, double y2) {
  Push(doc, doc.EntLine, TEntJwwLine{att, x1, y1, x2, y2}, kEntLine);
}

void AddBox(TJwwData& doc, TEntJwwAttr att, double x1, double y1, double x2, double y2) {
  AddLine(doc, att, x1, y1, x2, y1);
  AddLine(doc, att, x2, y1, x2, y2);
  AddLine(doc, att, x2, y2, x1, y2);
  AddLine(doc, att, x1, y2, x1, y1);
}

void AddArc(TJwwData& doc, TEntJwwAttr att, double cx, double cy, double radius, double start,
            double sweep) {
  Push(doc, doc.EntEnko, MakeArc(att, cx, cy, radius, start, sweep), kEntEnko);
}

void AddPoint(TJwwData& doc, TEntJwwAttr att, double x, double y) {
  TEntJwwTen t;
  t.att = att;
  t.start_x = x;
  t.start_y = y;
  t.dBairitsu = 1;
  Push(doc, doc.EntTen, t, kEntTen);
}

void AddText(TJwwData& doc, TEntJwwAttr att, double x, double y, const std::u16string& str,
             double size, double scale) {
  Push(doc, doc.EntMoji, MakeText(att, x, y, str, size, scale), kEntMoji);
}

void AddDimension(TJwwData& doc, TEntJwwAttr att, double x1, double x2, double y, double scale) {
  TEntJwwSunpo d;
  d.att = att;
  d.Sen = TEntJwwLine{att, x1, y, x2, y};
  const std::u16string value = IntToText(static_cast<int64_t>(std::lround(x2 - x1)));
  d.Moji = MakeText(att, 0, y + 1.0 * scale, value, 2.5, scale);
  const double half = (d.Moji.end_x - d.Moji.start_x) / 2;
  d.Moji.start_x = (x1 + x2) / 2 - half;
  d.Moji.end_x = (x1 + x2) / 2 + half;
  Push(doc, doc.EntSunpo, d, kEntSunpo);
}

void AddInsert(TJwwData& doc, TEntJwwAttr att, uint32_t number, double x, double y) {
  Push(doc, doc.EntBlock, TEntJwwBlock{att, x, y, 1, 1, 0, number}, kEntBlock);
}

TEntJwwBlockDef& AddBlockDef(TJwwData& doc, uint32_t number, const std::u16string& name) {
  TEntJwwBlockDef def;
  def.nNumber = number;
  def.strName = name;
  doc.EntBlockDef.push_back(std::move(def));
  doc.Enthd.n2 = static_cast<int32_t>(doc.EntBlockDef.size());
  return doc.EntBlockDef.back();
}

void AddLine(TEntJwwBlockDef& def, TEntJwwAttr att, double x1, double y1, double x2, double y2) {
  Push(def, def.mLine, TEntJwwLine{att, x1, y1, x2, y2}, kEntLine);
}

void AddArc(TEntJwwBlockDef& def, TEntJwwAttr att, double cx, double cy, double radius,
            double start, double sweep) {
  Push(def, def.mEnko, MakeArc(att, cx, cy, radius, start, sweep), kEntEnko);
}

bool WriteDrawing(TJwwData& doc, const std::u16string& path) {
  MakeBlockTree(doc);
  SetFileOutOption(doc, 0);
  return FileOut(doc, path, doc.Enthd.jwVer);
}

}  // namespace plandock::examples
