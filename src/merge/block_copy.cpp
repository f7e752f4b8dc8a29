// The copy of a merged drawing's block definitions into the base: filtered and
// recoloured, never moved, with their insertions re-pointed to the new numbers.
#include <cstdint>
#include <vector>

#include "merge/block_merge.h"
#include "merge/reassign.h"
#include "merge/transfer.h"
#include "util/number.h"

namespace plandock {
namespace {

double RoundSize(double x) { return RoundDigits(8, 2, x); }

class DefinitionCopy {
 public:
  DefinitionCopy(const TJwwData& base, const BlockTable& table, const MergeTargets& targets,
                 const MergeSettings& options, const LayerFilter& filter)
      : base_(base), table_(table), targets_(targets), options_(options), filter_(filter) {}

  // Fills `to` (fresh, with its number and name set) from `from`.
  void Copy(const TEntJwwBlockDef& from, TEntJwwBlockDef& to) const {
    for (const TEntJwwMoji& t : from.mMoji) {
      if (IsImageText(t) && filter_.PassesLayerFilter(t.att)) AddText(to, t);
    }
    for (const TEntJwwSolid& s : from.mSolid) {
      if (filter_.PassesLayerFilter(s.att)) Append(to, to.mSolid, s, kEntSolid);
    }
    for (const TEntJwwLine& l : from.mLine) {
      if (filter_.PassesLayerFilter(l.att)) Append(to, to.mLine, l, kEntLine);
    }
    for (const TEntJwwEnko& a : from.mEnko) {
      if (filter_.PassesLayerFilter(a.att)) Append(to, to.mEnko, a, kEntEnko);
    }
    for (const TEntJwwTen& t : from.mTen) {
      if (filter_.PassesLayerFilter(t.att)) Append(to, to.mTen, t, kEntTen);
    }
    for (const TEntJwwMoji& t : from.mMoji) {
      if (IsImageText(t) || IsDegenerateText(t)) continue;
      if (filter_.PassesLayerFilter(t.att)) AddText(to, t);
    }
    for (const TEntJwwSunpo& d : from.mSunpo) {
      if (filter_.PassesLayerFilter(d.att)) AddDimension(to, d);
    }
    for (const TEntJwwBlock& b : from.mBlock) {
      if (!filter_.PassesBlock(b)) continue;
      TEntJwwBlock& copy = Append(to, to.mBlock, b, kEntBlock);
      copy.nNumber = table_.MapBlockNumber(copy.nNumber);
    }
  }

 private:
  // Group number 0 and the colour rule on one attribute record; true when the
  // target colour was written.
  bool Recolor(TEntJwwAttr& att) const {
    att.lGroup = 0;
    return ApplyColorTarget(att, targets_.color, options_.KeepAuxiliaryColour);
  }

  template <class T>
  T& Append(TEntJwwBlockDef& def, std::vector<T>& to, const T& e, int32_t kind) const {
    to.push_back(e);
    T& copy = to.back();
    Recolor(copy.att);
    def.mNo.push_back({kind, static_cast<int32_t>(to.size() - 1)});
    return copy;
  }

  void AddText(TEntJwwBlockDef& def, const TEntJwwMoji& e) const {
    TEntJwwMoji& t = Append(def, def.mMoji, e, kEntMoji);
    t.dSizeX = RoundSize(t.dSizeX);
    t.dSizeY = RoundSize(t.dSizeY);
    t.dKankaku = RoundSize(t.dKankaku);
    t.nMojiShu = FindTextType(base_, t.att.nPenColor, t.dSizeX, t.dSizeY, t.dKankaku);
  }

  void AddDimension(TEntJwwBlockDef& def, const TEntJwwSunpo& e) const {
    TEntJwwSunpo& d = Append(def, def.mSunpo, e, kEntSunpo);
    for (TEntJwwAttr* att :
         {&d.Sen.att, &d.Ho1.att, &d.Ho2.att, &d.Te1.att, &d.Te2.att, &d.Kt1.att, &d.Kt2.att}) {
      Recolor(*att);
    }
    if (Recolor(d.Moji.att)) {
      d.Moji.nMojiShu =
          FindTextType(base_, d.Moji.att.nPenColor, d.Moji.dSizeX, d.Moji.dSizeY, d.Moji.dKankaku);
    }
  }

  const TJwwData& base_;
  const BlockTable& table_;
  const MergeTargets& targets_;
  const MergeSettings& options_;
  const LayerFilter& filter_;
};

}  // namespace

void AppendBlockDefinitions(TJwwData& base, const TJwwData& merged, const BlockTable& table,
                            const MergeTargets& targets, const MergeSettings& options) {
  const int32_t added = static_cast<int32_t>(merged.EntBlockDef.size());
  base.Enthd.n2 += added;
  base.EntBlockNum += added;
  const LayerFilter filter(merged, options.MergeHiddenLayers, options.MergeDisplayOnlyLayers);
  const DefinitionCopy copier(base, table, targets, options, filter);
  base.EntBlockDef.reserve(base.EntBlockDef.size() + merged.EntBlockDef.size());
  for (const TEntJwwBlockDef& from : merged.EntBlockDef) {
    TEntJwwBlockDef to;
    to.att = from.att;
    to.att.lGroup = 0;
    const BlockEntryLookup entry = table.LookupBlockEntry(from.nNumber);
    to.nNumber = entry.number;
    to.strName = entry.name2;
    to.bRefferd = from.bRefferd;
    to.dtime = from.dtime;
    to.ref_flag = false;
    to.ref_no = 0;
    copier.Copy(from, to);
    base.EntBlockDef.push_back(std::move(to));
  }
}

}  // namespace plandock
