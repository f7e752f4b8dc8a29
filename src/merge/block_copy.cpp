// The copy of a merged drawing's block definitions into the base: filtered and
// recoloured, never moved, with their insertions re-pointed to the new numbers.
#include <cstdint>
#include <vector>

#include "merge/block_merge_internal.h"
#include "merge/kind_order_internal.h"
#include "merge/reassign_internal.h"

namespace plandock {
namespace {

// Fills one fresh definition (its number and name already set) from a merged one.
class DefinitionCopy {
 public:
  DefinitionCopy(const TJwwData& base, const BlockTable& table, const MergeTargets& targets,
                 const MergeSettings& options, TEntJwwBlockDef& to)
      : base_(base), table_(table), targets_(targets), options_(options), to_(to) {}

  // The copiers of each kind, called in kind order.
  void AddImageText(const TEntJwwMoji& e) { AddText(e); }
  void AddSolid(const TEntJwwSolid& e) { Append(to_.mSolid, e, kEntSolid); }
  void AddLine(const TEntJwwLine& e) { Append(to_.mLine, e, kEntLine); }
  void AddArc(const TEntJwwEnko& e) { Append(to_.mEnko, e, kEntEnko); }
  void AddPoint(const TEntJwwTen& e) { Append(to_.mTen, e, kEntTen); }

  void AddText(const TEntJwwMoji& e) {
    SizeTextForBase(base_, Append(to_.mMoji, e, kEntMoji), 1.0);
  }

  void AddDimension(const TEntJwwSunpo& e) {
    TEntJwwSunpo& d = Append(to_.mSunpo, e, kEntSunpo);
    for (TEntJwwAttr* att :
         {&d.Sen.att, &d.Ho1.att, &d.Ho2.att, &d.Te1.att, &d.Te2.att, &d.Kt1.att, &d.Kt2.att}) {
      Recolor(*att);
    }
    if (Recolor(d.Moji.att)) {
      d.Moji.nMojiShu =
          FindTextType(base_, d.Moji.att.nPenColor, d.Moji.dSizeX, d.Moji.dSizeY, d.Moji.dKankaku);
    }
  }

  void AddBlock(const TEntJwwBlock& e) {
    TEntJwwBlock& copy = Append(to_.mBlock, e, kEntBlock);
    copy.nNumber = table_.MapBlockNumber(copy.nNumber);
  }

 private:
  // Group number 0 and the colour rule on one attribute record; true when the
  // target colour was written.
  bool Recolor(TEntJwwAttr& att) const {
    att.lGroup = 0;
    return ApplyColorTarget(att, targets_.color, options_.KeepAuxiliaryColour);
  }

  template <class T>
  T& Append(std::vector<T>& to, const T& e, int32_t kind) {
    to.push_back(e);
    T& copy = to.back();
    Recolor(copy.att);
    to_.mNo.push_back({kind, static_cast<int32_t>(to.size() - 1)});
    return copy;
  }

  const TJwwData& base_;
  const BlockTable& table_;
  const MergeTargets& targets_;
  const MergeSettings& options_;
  TEntJwwBlockDef& to_;
};

}  // namespace

void AppendBlockDefinitions(TJwwData& base, const TJwwData& merged, const BlockTable& table,
                            const MergeTargets& targets, const MergeSettings& options) {
  const LayerFilter filter(merged, options.MergeHiddenLayers, options.MergeDisplayOnlyLayers);
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
    DefinitionCopy copier(base, table, targets, options, to);
    CopyInKindOrder(EntityLists::Members(from), filter, copier);
    base.AddBlockDef(std::move(to));
  }
}

}  // namespace plandock
