// Reading a drawing only to draw it: the whole file is read and closed at
// once, so the drawing is never held open while it is looked at.
#pragma once

#include <string>

#include "document/document.h"

namespace plandock::render {

enum class DrawingRead { kOk, kCannotOpen, kNotADrawing };

// Embedded images are not extracted: they are not drawn.
DrawingRead ReadDrawingToDraw(const std::u16string& path, TJwwData& doc);

}  // namespace plandock::render
