#include <algorithm>
#include <cmath>

#include "merge/merge_targets_internal.h"
#include "merge/reassign_internal.h"
#include "util/number.h"

namespace plandock {
namespace {

constexpr double kTextTypeTolerance = 1e-8;

}  // namespace

int LayerFilter::GroupState(int g) const {
  const int i = LayerIndex(g);
  if (i >= static_cast<int>(merged_.EntLgrp.size())) return kLayEditable;
  return merged_.EntLgrp[i].anGLay;
}

int LayerFilter::LayerState(int g, int l) const {
  const int i = LayerIndex(g) * 16 + LayerIndex(l);
  if (i >= static_cast<int>(merged_.EntLay.size())) return kLayEditable;
  return merged_.EntLay[i].aanLay;
}

bool LayerFilter::PassesLayerFilter(const TEntJwwAttr& attr) const {
  const int group = GroupState(attr.nGLayer);
  const int layer = LayerState(attr.nGLayer, attr.nLayer);
  if (!merge_hidden_ && (group == kLayHidden || layer == kLayHidden)) return false;
  if (merge_display_only_) return true;
  return group != kLayDisplayOnly && layer != kLayDisplayOnly;
}

bool LayerFilter::PassesBlock(const TEntJwwBlock& block) const {
  return (block.att.nPenStyle & kBlockPassesFilter) != 0 || PassesLayerFilter(block.att);
}

bool ApplyColorTarget(TEntJwwAttr& attr, int target_color, bool keep_auxiliary) {
  if (target_color == 0) return false;
  if (keep_auxiliary && attr.nPenColor == kPenColorAuxiliary) return false;
  attr.nPenColor = static_cast<uint16_t>(target_color);
  return true;
}

void ReassignTopLevel(TEntJwwAttr& attr, const MergeTargets& targets, bool keep_auxiliary) {
  attr.lGroup = 0;
  if (targets.layer_group != -1) attr.nGLayer = static_cast<uint16_t>(targets.layer_group);
  if (targets.layer != -1) attr.nLayer = static_cast<uint16_t>(targets.layer);
  ApplyColorTarget(attr, targets.color, keep_auxiliary);
}

void TakeDimensionAttr(TEntJwwAttr& part, const TEntJwwAttr& dimension) {
  part.lGroup = 0;
  part.nGLayer = dimension.nGLayer;
  part.nLayer = dimension.nLayer;
  part.nPenColor = dimension.nPenColor;
}

uint32_t FindTextType(const TJwwData& base, int color, double size_x, double size_y,
                      double spacing) {
  const size_t slots = std::min<size_t>(base.EntMoj.size(), 10);
  for (size_t i = 0; i < slots; ++i) {
    const TEntJwwMojiType& type = base.EntMoj[i];
    if (type.anMojiCol == color && std::fabs(type.adMojiX - size_x) <= kTextTypeTolerance &&
        std::fabs(type.adMojiY - size_y) <= kTextTypeTolerance &&
        std::fabs(type.adMojiD - spacing) <= kTextTypeTolerance) {
      return static_cast<uint32_t>(i + 1);
    }
  }
  return 0;
}

void SizeTextForBase(const TJwwData& base, TEntJwwMoji& text, double n) {
  for (double* size : {&text.dSizeX, &text.dSizeY, &text.dKankaku}) {
    *size = RoundDigits(8, 2, *size * n);
  }
  text.nMojiShu = FindTextType(base, text.att.nPenColor, text.dSizeX, text.dSizeY, text.dKankaku);
}

}  // namespace plandock
