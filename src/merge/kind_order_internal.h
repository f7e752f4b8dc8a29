// The fixed order in which a merged drawing's entities are copied, shared by
// the top level and the block definitions: image texts, solids, lines, arcs,
// points, ordinary texts, dimensions, block insertions.
#pragma once

#include <vector>

#include "document/document.h"
#include "merge/reassign_internal.h"
#include "merge/transfer_internal.h"

namespace plandock {

// One entity list of each kind: a drawing's top level or one block definition.
struct EntityLists {
  const std::vector<TEntJwwMoji>& texts;
  const std::vector<TEntJwwSolid>& solids;
  const std::vector<TEntJwwLine>& lines;
  const std::vector<TEntJwwEnko>& arcs;
  const std::vector<TEntJwwTen>& points;
  const std::vector<TEntJwwSunpo>& dimensions;
  const std::vector<TEntJwwBlock>& blocks;

  static EntityLists TopLevel(const TJwwData& d) {
    return {d.EntMoji, d.EntSolid, d.EntLine, d.EntEnko, d.EntTen, d.EntSunpo, d.EntBlock};
  }
  static EntityLists Members(const TEntJwwBlockDef& d) {
    return {d.mMoji, d.mSolid, d.mLine, d.mEnko, d.mTen, d.mSunpo, d.mBlock};
  }
  size_t Total() const {
    return texts.size() + solids.size() + lines.size() + arcs.size() + points.size() +
           dimensions.size() + blocks.size();
  }
};

// Hands every entity of `from` that passes `filter` to `copy`, in the fixed
// order. Degenerate ordinary texts are passed over; block insertions go
// through the block rule of the filter.
template <class Copier>
void CopyInKindOrder(const EntityLists& from, const LayerFilter& filter, Copier& copy) {
  for (const TEntJwwMoji& t : from.texts) {
    if (IsImageText(t) && filter.PassesLayerFilter(t.att)) copy.AddImageText(t);
  }
  for (const TEntJwwSolid& s : from.solids) {
    if (filter.PassesLayerFilter(s.att)) copy.AddSolid(s);
  }
  for (const TEntJwwLine& l : from.lines) {
    if (filter.PassesLayerFilter(l.att)) copy.AddLine(l);
  }
  for (const TEntJwwEnko& a : from.arcs) {
    if (filter.PassesLayerFilter(a.att)) copy.AddArc(a);
  }
  for (const TEntJwwTen& t : from.points) {
    if (filter.PassesLayerFilter(t.att)) copy.AddPoint(t);
  }
  for (const TEntJwwMoji& t : from.texts) {
    if (IsImageText(t) || IsDegenerateText(t)) continue;
    if (filter.PassesLayerFilter(t.att)) copy.AddText(t);
  }
  for (const TEntJwwSunpo& d : from.dimensions) {
    if (filter.PassesLayerFilter(d.att)) copy.AddDimension(d);
  }
  for (const TEntJwwBlock& b : from.blocks) {
    if (filter.PassesBlock(b)) copy.AddBlock(b);
  }
}

}  // namespace plandock
