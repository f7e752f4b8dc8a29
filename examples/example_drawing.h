// A small vocabulary for building believable drawings in code: the tables a
// drawing read from a file has, and one call per entity.
#pragma once

#include <cstdint>
#include <string>

#include "document/document.h"

namespace plandock::examples {

// Colours of the pen table: 9 is the auxiliary colour reference texts use.
inline constexpr int kColorAux = 9;

TEntJwwAttr Attr(int group, int layer, int color, int style = 1);

// Resets `doc` to an empty drawing of file version `version` whose 16 layer
// groups are at scale 1:`scale`, with named groups and layers, a pen table and
// text types. Layer group 0, layer 0 is the current one.
void InitDrawing(TJwwData& doc, int32_t version, double scale);
void NameLayerGroup(TJwwData& doc, int group, const std::u16string& name);
void NameLayer(TJwwData& doc, int group, int layer, const std::u16string& name);

// Every Add also names the entity in the drawing order.
void AddLine(TJwwData& doc, TEntJwwAttr att, double x1, double y1, double x2, double y2);
// A rectangle of four lines.
void AddBox(TJwwData& doc, TEntJwwAttr att, double x1, double y1, double x2, double y2);
// An arc from `start` sweeping `sweep` radians; 2 pi is a full circle.
void AddArc(TJwwData& doc, TEntJwwAttr att, double cx, double cy, double radius, double start,
            double sweep);
void AddPoint(TJwwData& doc, TEntJwwAttr att, double x, double y);
// A horizontal text of `size` paper millimetres at a drawing of scale 1:`scale`.
void AddText(TJwwData& doc, TEntJwwAttr att, double x, double y, const std::u16string& str,
             double size, double scale);
// A dimension between two points on a horizontal line at height `y`.
void AddDimension(TJwwData& doc, TEntJwwAttr att, double x1, double x2, double y, double scale);
void AddInsert(TJwwData& doc, TEntJwwAttr att, uint32_t number, double x, double y);

// Appends an empty block definition and returns it (valid until the next one).
TEntJwwBlockDef& AddBlockDef(TJwwData& doc, uint32_t number, const std::u16string& name);
void AddLine(TEntJwwBlockDef& def, TEntJwwAttr att, double x1, double y1, double x2, double y2);
void AddArc(TEntJwwBlockDef& def, TEntJwwAttr att, double cx, double cy, double radius,
            double start, double sweep);

// Writes `doc` in its own version; false when the file could not be written.
bool WriteDrawing(TJwwData& doc, const std::u16string& path);

}  // namespace plandock::examples
