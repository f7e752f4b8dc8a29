#include <algorithm>
#include <vector>

#include "merge/kind_order_internal.h"
#include "merge/reassign_internal.h"
#include "merge/transfer_internal.h"
#include "util/geometry.h"
#include "util/number.h"

namespace plandock {
namespace {

constexpr std::u16string_view kImageTextPrefix = u"^@BM";
constexpr int kCircularSolidStyle = 101;  // nPenStyle from here on: a circular solid
constexpr int kSolidShapeStyleA = 101;    // DPoint3_y is a shape value, not a radius
constexpr int kSolidShapeStyleB = 111;

// An angle field never reads "-0.0000"; guarded here so that it does not depend on
// how FloatToFixed signs a tiny negative angle.
std::u16string FormatAngle(double angle) {
  std::u16string a = FloatToFixed(4, angle);
  if (a == u"-0.0000") a = u"0.0000";
  return a;
}

// Appends to the base for one placement. `H` (the drawing order's length) is
// taken once; every copy is named after it in append order.
class Transfer {
 public:
  Transfer(TJwwData& base, const TJwwData& merged, const Placement& placement,
           const MergeTargets& targets, const MergeSettings& options, const BlockTable& blocks)
      : base_(base),
        merged_(merged),
        p_(placement),
        targets_(targets),
        options_(options),
        blocks_(blocks),
        filter_(merged, options.MergeHiddenLayers, options.MergeDisplayOnlyLayers) {}

  void Run() {
    const EntityLists from = EntityLists::TopLevel(merged_);
    base_.EntNo.reserve(base_.EntNo.size() + from.Total());
    CopyInKindOrder(from, filter_, *this);
  }

  // The copiers of each kind, called in kind order.
  void AddImageText(const TEntJwwMoji& e) {
    const double f = p_.Factor(e.att);
    TEntJwwMoji& t = Append(base_.EntMoji, e, kEntMoji);
    PlaceTextBody(t, f);
    if (p_.Turned()) {
      t.degKakudo = p_.ShiftDegrees(t.degKakudo);
      t.str = RewriteImageAngle(t.str, t.degKakudo);
    }
  }

  void AddSolid(const TEntJwwSolid& e) {
    const double f = p_.Factor(e.att);
    TEntJwwSolid& s = Append(base_.EntSolid, e, kEntSolid);
    p_.MapPoint(f, s.start_x, s.start_y);
    const int style = s.att.nPenStyle;
    if (style < kCircularSolidStyle) {
      p_.MapPoint(f, s.end_x, s.end_y);
      p_.MapPoint(f, s.DPoint2_x, s.DPoint2_y);
      p_.MapPoint(f, s.DPoint3_x, s.DPoint3_y);
      return;
    }
    s.end_x *= f;                                                                    // radius
    s.DPoint2_x = p_.ShiftRadians(s.DPoint2_x);                                      // tilt
    if (style != kSolidShapeStyleA && style != kSolidShapeStyleB) s.DPoint3_y *= f;  // inner radius
  }

  void AddLine(const TEntJwwLine& e) {
    const double f = p_.Factor(e.att);
    PlaceLine(Append(base_.EntLine, e, kEntLine), f);
  }

  void AddArc(const TEntJwwEnko& e) {
    const double f = p_.Factor(e.att);
    TEntJwwEnko& a = Append(base_.EntEnko, e, kEntEnko);
    p_.MapPoint(f, a.start_x, a.start_y);
    a.dHankei *= f;
    a.radKatamukiKaku = p_.ShiftRadians(a.radKatamukiKaku);
  }

  void AddPoint(const TEntJwwTen& e) {
    const double f = p_.Factor(e.att);
    PlacePoint(Append(base_.EntTen, e, kEntTen), f);
  }

  // Merged reference texts are never copied.
  void AddText(const TEntJwwMoji& e) {
    if (IsReferenceText(e, options_.ReferenceText)) return;
    const double f = p_.Factor(e.att);
    PlaceOrdinaryText(Append(base_.EntMoji, e, kEntMoji), f);
  }

  void AddDimension(const TEntJwwSunpo& e) {
    const double f = p_.Factor(e.att);
    TEntJwwSunpo& d = Append(base_.EntSunpo, e, kEntSunpo);
    TakeDimensionAttr(d.Sen.att, d.att);
    TakeDimensionAttr(d.Moji.att, d.att);
    PlaceLine(d.Sen, f);
    PlaceOrdinaryText(d.Moji, f);
    if (d.bSxfMode == 0) return;
    for (TEntJwwLine* l : {&d.Ho1, &d.Ho2}) {
      TakeDimensionAttr(l->att, d.att);
      PlaceLine(*l, f);
    }
    for (TEntJwwTen* t : {&d.Te1, &d.Te2, &d.Kt1, &d.Kt2}) {
      TakeDimensionAttr(t->att, d.att);
      PlacePoint(*t, f);
    }
  }

  void AddBlock(const TEntJwwBlock& e) {
    const double f = p_.Factor(e.att);
    TEntJwwBlock& b = Append(base_.EntBlock, e, kEntBlock);
    b.nNumber = blocks_.MapBlockNumber(b.nNumber);
    p_.MapPoint(f, b.DPKijunTen_x, b.DPKijunTen_y);
    b.dBairitsuX *= f;
    b.dBairitsuY *= f;
    b.radKaitenKaku = p_.ShiftRadians(b.radKaitenKaku);
  }

 private:
  // Copies `e` to the end of `to`, reassigns its attribute, names it in the
  // drawing order and returns the copy. Take the factor from `e` beforehand.
  template <class T>
  T& Append(std::vector<T>& to, const T& e, int32_t kind) {
    to.push_back(e);
    T& copy = to.back();
    ReassignTopLevel(copy.att, targets_, options_.KeepAuxiliaryColour);
    base_.AddEntNo(kind, static_cast<int32_t>(to.size() - 1));
    return copy;
  }

  // Sizes by N, the text type, then the text map. The angle is the caller's.
  void PlaceTextBody(TEntJwwMoji& t, double f) const {
    const double n = p_.TextFactor(f);
    SizeTextForBase(base_, t, n);
    p_.MapText(f, n, t.start_x, t.start_y, t.end_x, t.end_y);
  }

  void PlaceOrdinaryText(TEntJwwMoji& t, double f) const {
    PlaceTextBody(t, f);
    t.degKakudo = p_.ShiftDegrees(t.degKakudo);
  }

  void PlaceLine(TEntJwwLine& l, double f) const {
    p_.MapPoint(f, l.start_x, l.start_y);
    p_.MapPoint(f, l.end_x, l.end_y);
  }

  void PlacePoint(TEntJwwTen& t, double f) const {
    p_.MapPoint(f, t.start_x, t.start_y);
    t.dBairitsu *= p_.PointFactor(f);
    t.radKaitenKaku = p_.ShiftRadians(t.radKaitenKaku);
  }

  TJwwData& base_;
  const TJwwData& merged_;
  const Placement& p_;
  const MergeTargets& targets_;
  const MergeSettings& options_;
  const BlockTable& blocks_;
  LayerFilter filter_;
};

}  // namespace

bool IsImageText(const TEntJwwMoji& text) {
  return std::u16string_view(text.str).starts_with(kImageTextPrefix);
}

bool IsDegenerateText(const TEntJwwMoji& text) {
  if (SamePoint(text.start_x, text.start_y, text.end_x, text.end_y)) return true;
  return SamePoint(text.start_x, text.start_y, 0, 0) &&
         SamePoint(text.end_x, text.end_y, 0.01, 0.01);
}

std::u16string RewriteImageAngle(const std::u16string& content, double angle) {
  std::vector<size_t> commas;
  for (size_t i = 0; i < content.size() && commas.size() < 6; ++i) {
    if (content[i] == u',') commas.push_back(i);
  }
  const std::u16string a = FormatAngle(angle);
  switch (commas.size()) {
    case 0:
      return content;
    case 1:  // the single field is repeated as the second
      return content + content.substr(commas[0]) + u",0,0,1," + a;
    case 2:
      return content + u",0,0,1," + a;
    case 3:
      return content + u",0,1," + a;
    case 4:
      return content + u",1," + a;
    case 5:
      return content + u"," + a;
    default:
      return content.substr(0, commas[5]) + u"," + a;
  }
}

void TransferEntities(TJwwData& base, const TJwwData& merged, const Placement& placement,
                      const MergeTargets& targets, const MergeSettings& options,
                      const BlockTable& blocks) {
  Transfer(base, merged, placement, targets, options, blocks).Run();
}

}  // namespace plandock
