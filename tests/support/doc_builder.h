// Small drawings built in memory for tests: full tables as after a read, and
// one-line entity constructors that also name the entity in the drawing order.
#pragma once

#include <cstdint>
#include <string>

#include "document/document.h"

namespace plandock::test {

// An attribute: layer group, layer, pen colour and pen style.
TEntJwwAttr Attr(int group = 0, int layer = 0, int color = 1, int style = 1);

// MakeEmptyDrawing, at version 700 unless told.
void InitDrawing(TJwwData& doc, int32_t version = 700);

TEntJwwLine Line(double x1, double y1, double x2, double y2, TEntJwwAttr att = Attr());
TEntJwwEnko Arc(double cx, double cy, double radius, TEntJwwAttr att = Attr());
TEntJwwTen Point(double x, double y, TEntJwwAttr att = Attr());
// A text from (x1, y1) to (x2, y2) of width and height `size`, spacing 0.
TEntJwwMoji Text(const std::u16string& str, double x1, double y1, double x2, double y2,
                 TEntJwwAttr att = Attr(), double size = 2.5);
// A four-cornered solid with corners (x1, y1) .. (x4, y4).
TEntJwwSolid Solid(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, TEntJwwAttr att = Attr());
TEntJwwBlock Insert(uint32_t number, double x, double y, TEntJwwAttr att = Attr());

// Each Add appends the entity to its array and to the drawing order, and
// returns its index in the array.
int Add(TJwwData& doc, const TEntJwwLine& e);
int Add(TJwwData& doc, const TEntJwwEnko& e);
int Add(TJwwData& doc, const TEntJwwTen& e);
int Add(TJwwData& doc, const TEntJwwMoji& e);
int Add(TJwwData& doc, const TEntJwwSunpo& e);
int Add(TJwwData& doc, const TEntJwwSolid& e);
int Add(TJwwData& doc, const TEntJwwBlock& e);

// Appends an empty block definition and returns it (valid until the next one).
TEntJwwBlockDef& AddBlockDef(TJwwData& doc, uint32_t number, const std::u16string& name);
// The same for the entities of a block definition.
int Add(TEntJwwBlockDef& def, const TEntJwwLine& e);
int Add(TEntJwwBlockDef& def, const TEntJwwEnko& e);
int Add(TEntJwwBlockDef& def, const TEntJwwTen& e);
int Add(TEntJwwBlockDef& def, const TEntJwwMoji& e);
int Add(TEntJwwBlockDef& def, const TEntJwwSunpo& e);
int Add(TEntJwwBlockDef& def, const TEntJwwSolid& e);
int Add(TEntJwwBlockDef& def, const TEntJwwBlock& e);

}  // namespace plandock::test
