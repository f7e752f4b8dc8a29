#include "support/doc_builder.h"

#include <vector>

#include "document/empty_drawing.h"

namespace plandock::test {
namespace {

template <class T>
int Push(std::vector<T>& to, std::vector<TEntJwwNo>& order, const T& e, int32_t kind) {
  to.push_back(e);
  const int index = static_cast<int>(to.size() - 1);
  order.push_back({kind, index});
  return index;
}

template <class T>
int AddTo(TJwwData& doc, std::vector<T>& to, const T& e, int32_t kind) {
  const int index = Push(to, doc.EntNo, e, kind);
  doc.Enthd.n1 = static_cast<int32_t>(doc.EntNo.size());
  return index;
}

}  // namespace

TEntJwwAttr Attr(int group, int layer, int color, int style) {
  TEntJwwAttr a;
  a.nGLayer = static_cast<uint16_t>(group);
  a.nLayer = static_cast<uint16_t>(layer);
  a.nPenColor = static_cast<uint16_t>(color);
  a.nPenStyle = static_cast<uint8_t>(style);
  return a;
}

void InitDrawing(TJwwData& doc, int32_t version) { MakeEmptyDrawing(doc, version); }

TEntJwwLine Line(double x1, double y1, double x2, double y2, TEntJwwAttr att) {
  return {att, x1, y1, x2, y2};
}

TEntJwwEnko Arc(double cx, double cy, double radius, TEntJwwAttr att) {
  TEntJwwEnko a;
  a.att = att;
  a.start_x = cx;
  a.start_y = cy;
  a.dHankei = radius;
  a.radEnkoKaku = 6.283185307179586;
  a.dHenpeiRitsu = 1;
  a.bZenEnFlg = 1;
  return a;
}

TEntJwwTen Point(double x, double y, TEntJwwAttr att) {
  TEntJwwTen t;
  t.att = att;
  t.start_x = x;
  t.start_y = y;
  t.dBairitsu = 1;
  return t;
}

TEntJwwMoji Text(const std::u16string& str, double x1, double y1, double x2, double y2,
                 TEntJwwAttr att, double size) {
  TEntJwwMoji t;
  t.att = att;
  t.start_x = x1;
  t.start_y = y1;
  t.end_x = x2;
  t.end_y = y2;
  t.dSizeX = size;
  t.dSizeY = size;
  t.strFontName = u"ＭＳ ゴシック";
  t.str = str;
  return t;
}

TEntJwwSolid Solid(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, TEntJwwAttr att) {
  return {att, x1, y1, x2, y2, x3, y3, x4, y4, 0};
}

TEntJwwBlock Insert(uint32_t number, double x, double y, TEntJwwAttr att) {
  return {att, x, y, 1, 1, 0, number};
}

int Add(TJwwData& doc, const TEntJwwLine& e) { return AddTo(doc, doc.EntLine, e, kEntLine); }
int Add(TJwwData& doc, const TEntJwwEnko& e) { return AddTo(doc, doc.EntEnko, e, kEntEnko); }
int Add(TJwwData& doc, const TEntJwwTen& e) { return AddTo(doc, doc.EntTen, e, kEntTen); }
int Add(TJwwData& doc, const TEntJwwMoji& e) { return AddTo(doc, doc.EntMoji, e, kEntMoji); }
int Add(TJwwData& doc, const TEntJwwSunpo& e) { return AddTo(doc, doc.EntSunpo, e, kEntSunpo); }
int Add(TJwwData& doc, const TEntJwwSolid& e) { return AddTo(doc, doc.EntSolid, e, kEntSolid); }
int Add(TJwwData& doc, const TEntJwwBlock& e) { return AddTo(doc, doc.EntBlock, e, kEntBlock); }

TEntJwwBlockDef& AddBlockDef(TJwwData& doc, uint32_t number, const std::u16string& name) {
  TEntJwwBlockDef def;
  def.nNumber = number;
  def.strName = name;
  doc.EntBlockDef.push_back(std::move(def));
  doc.Enthd.n2 = static_cast<int32_t>(doc.EntBlockDef.size());
  return doc.EntBlockDef.back();
}

int Add(TEntJwwBlockDef& def, const TEntJwwLine& e) {
  return Push(def.mLine, def.mNo, e, kEntLine);
}
int Add(TEntJwwBlockDef& def, const TEntJwwEnko& e) {
  return Push(def.mEnko, def.mNo, e, kEntEnko);
}
int Add(TEntJwwBlockDef& def, const TEntJwwTen& e) { return Push(def.mTen, def.mNo, e, kEntTen); }
int Add(TEntJwwBlockDef& def, const TEntJwwMoji& e) {
  return Push(def.mMoji, def.mNo, e, kEntMoji);
}
int Add(TEntJwwBlockDef& def, const TEntJwwSunpo& e) {
  return Push(def.mSunpo, def.mNo, e, kEntSunpo);
}
int Add(TEntJwwBlockDef& def, const TEntJwwSolid& e) {
  return Push(def.mSolid, def.mNo, e, kEntSolid);
}
int Add(TEntJwwBlockDef& def, const TEntJwwBlock& e) {
  return Push(def.mBlock, def.mNo, e, kEntBlock);
}

}  // namespace plandock::test
