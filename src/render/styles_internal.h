// Pen colours, widths, point sizes and dash patterns from a drawing's own tables.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "render/display_list.h"

namespace plandock::render {

// Looks up the colour tables once per drawing; missing rows give black and 0.
class PenTable {
 public:
  PenTable(const TJwwData& doc, bool screen);
  uint32_t Rgb(const TEntJwwAttr& att) const;
  uint16_t Width(const TEntJwwAttr& att) const;
  double PointRadius(const TEntJwwAttr& att) const;  // paper millimetres
  uint32_t Background() const { return background_; }

 private:
  const TEntJwwColorNo* Standard(int color) const;
  const TEntJwwColorExNo* Sxf(int color) const;
  const TJwwData& doc_;
  bool screen_;
  uint32_t background_;
};

// The dash pattern of every pen style 0..63.
void FillLineTypes(const TJwwData& doc, DisplayList& list);

}  // namespace plandock::render
