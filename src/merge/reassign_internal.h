// Which merged entities come along (the layer filter), and the layer, colour
// and text-type rules that a copied entity's attributes go through.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "merge/merge_targets_internal.h"

namespace plandock {

// Block insertions with this pen-style bit pass the layer filter whatever the
// states of their layer group and layer.
inline constexpr uint8_t kBlockPassesFilter = 0x40;

// The layer filter over the merged drawing's own layer-group and layer states.
class LayerFilter {
 public:
  LayerFilter(const TJwwData& merged, bool merge_hidden, bool merge_display_only)
      : merged_(merged), merge_hidden_(merge_hidden), merge_display_only_(merge_display_only) {}

  // Whether an entity with this attribute, as stored in the merged drawing, is
  // merged. A layer group or layer outside 0..15 counts as 0; a state row that
  // the drawing lacks counts as editable.
  bool PassesLayerFilter(const TEntJwwAttr& attr) const;
  // The same for a block insertion: pen-style bit 0x40 lets it through.
  bool PassesBlock(const TEntJwwBlock& block) const;

 private:
  int GroupState(int g) const;
  int LayerState(int g, int l) const;

  const TJwwData& merged_;
  bool merge_hidden_;
  bool merge_display_only_;
};

// The colour rule: with a target colour (not 0) the colour becomes the target,
// except that colour 9 stays with `keep_auxiliary`. Returns true when the
// target was written.
bool ApplyColorTarget(TEntJwwAttr& attr, int target_color, bool keep_auxiliary);

// A top-level copy: group number 0, then the layer-group, layer and colour targets.
void ReassignTopLevel(TEntJwwAttr& attr, const MergeTargets& targets, bool keep_auxiliary);

// A dimension part at the top level: group number 0 and the dimension's layer
// group, layer and colour.
void TakeDimensionAttr(TEntJwwAttr& part, const TEntJwwAttr& dimension);

// Scales a copied text's width, height and spacing by `n`, each kept to 8
// decimals (halves away from zero), and gives it the text type of `base` that
// matches its colour and new sizes.
void SizeTextForBase(const TJwwData& base, TEntJwwMoji& text, double n);

// The text type 1..10 of `base` whose colour equals `color` and whose width,
// height and spacing each lie within 1e-8 of the text's; 0 when none does.
uint32_t FindTextType(const TJwwData& base, int color, double size_x, double size_y,
                      double spacing);

}  // namespace plandock
