#include <algorithm>

#include "merge/layer_cell.h"
#include "merge/merge_targets_internal.h"
#include "merge/post_merge_internal.h"
#include "util/geometry.h"
#include "util/number.h"
#include "util/text.h"

namespace plandock {
namespace {

// Flag bits that released parts carry in sFlg.
constexpr uint16_t kReleasedLineFlag = 0x2000;
constexpr uint16_t kReleasedTextFlag = 0x4010;
constexpr uint16_t kReleasedPointFlag = 0x40;
constexpr double kMinAuxiliaryLength = 1e-8;

template <class T>
void Release(T part, const TEntJwwAttr& dim, uint16_t flag, std::vector<T>& to,
             std::vector<TEntJwwNo>& order, int32_t kind) {
  part.att.nGLayer = dim.nGLayer;
  part.att.nLayer = dim.nLayer;
  part.att.sFlg = static_cast<uint16_t>(part.att.sFlg | flag);
  to.push_back(std::move(part));
  order.push_back({kind, static_cast<int32_t>(to.size() - 1)});
}

// Appends the parts of every dimension in `dims` to the line, text and point
// lists and the drawing order, then turns the order's dimension entries into none.
void ReleaseList(const std::vector<TEntJwwSunpo>& dims, std::vector<TEntJwwLine>& lines,
                 std::vector<TEntJwwMoji>& texts, std::vector<TEntJwwTen>& points,
                 std::vector<TEntJwwNo>& order) {
  const size_t kept = order.size();
  for (const TEntJwwSunpo& d : dims) {
    Release(d.Sen, d.att, kReleasedLineFlag, lines, order, kEntLine);
    Release(d.Moji, d.att, kReleasedTextFlag, texts, order, kEntMoji);
    if (d.bSxfMode == 0) continue;
    for (const TEntJwwLine* l : {&d.Ho1, &d.Ho2}) {
      if (PointDistance(l->start_x, l->start_y, l->end_x, l->end_y) > kMinAuxiliaryLength) {
        Release(*l, d.att, kReleasedLineFlag, lines, order, kEntLine);
      }
    }
    Release(d.Te1, d.att, kReleasedPointFlag, points, order, kEntTen);
    Release(d.Te2, d.att, kReleasedPointFlag, points, order, kEntTen);
    for (const TEntJwwTen* t : {&d.Kt1, &d.Kt2}) {
      TEntJwwTen provisional = *t;
      provisional.bKariten = 1;
      Release(std::move(provisional), d.att, kReleasedPointFlag, points, order, kEntTen);
    }
  }
  for (size_t i = 0; i < kept; ++i) {
    if (order[i].EntType == kEntSunpo) order[i].EntType = kEntNone;
  }
}

// Layer group or layer of an entry cell as a table index; -1 keeps.
int ReadLayerCell(const std::u16string& cell) {
  const int value = ReadLayerCode(cell);
  return value == -1 ? -1 : LayerIndex(value);
}

void MakeEditable(int32_t& state, int32_t& protect) {
  protect = 0;
  if (state != kLayCurrent) state = kLayEditable;
}

}  // namespace

void ReleaseDimensions(TJwwData& doc) {
  ReleaseList(doc.EntSunpo, doc.EntLine, doc.EntMoji, doc.EntTen, doc.EntNo);
  doc.RecountEntities();
  for (TEntJwwBlockDef& def : doc.EntBlockDef) {
    ReleaseList(def.mSunpo, def.mLine, def.mMoji, def.mTen, def.mNo);
  }
}

void MakeMergedLayersEditable(TJwwData& doc, const std::vector<MergeEntry>& entries) {
  if (doc.EntLgrp.size() < 16 || doc.EntLay.size() < 256) return;
  for (const MergeEntry& entry : entries) {
    if (IsBlank(entry.Path)) continue;
    const int c = ReadLayerCell(entry.LayerGroup);
    const int b = ReadLayerCell(entry.Layer);
    if (c == -1 && b == -1) continue;
    if (c != -1) {
      MakeEditable(doc.EntLgrp[c].anGLay, doc.EntLgrp[c].anGLayProtect);
      for (int l = 0; l < 16; ++l) {
        if (b != -1 && l != b) continue;
        TEntJwwLayer& layer = doc.EntLay[c * 16 + l];
        MakeEditable(layer.aanLay, layer.aanLayProtect);
      }
    } else {
      for (int g = 0; g < 16; ++g) {
        TEntJwwLayer& layer = doc.EntLay[g * 16 + b];
        MakeEditable(layer.aanLay, layer.aanLayProtect);
      }
    }
  }
}

void MakeAllLayersEditable(TJwwData& doc) {
  const int groups = std::min<int>(16, static_cast<int>(doc.EntLgrp.size()));
  for (int g = 0; g < groups; ++g) {
    TEntJwwLayerGroup& group = doc.EntLgrp[g];
    group.anGLayProtect = 0;
    group.anWriteLay = 0;
    group.anGLay = g == 0 ? kLayCurrent : kLayEditable;
    for (int l = 0; l < 16; ++l) {
      const size_t row = static_cast<size_t>(g * 16 + l);
      if (row >= doc.EntLay.size()) break;
      doc.EntLay[row].aanLayProtect = 0;
      doc.EntLay[row].aanLay = l == 0 ? kLayCurrent : kLayEditable;
    }
  }
}

}  // namespace plandock
