// Reading a drawing only to draw it: the file is closed once it is read, so
// the drawing is never held open while it is looked at.
#pragma once

#include <string>

#include "document/document.h"

namespace plandock::render {

enum class DrawingRead { kOk, kCannotOpen, kNotADrawing };

// Embedded images are not extracted: they are not drawn. A path that is not a
// regular file, or is too large to be a drawing, counts as one that cannot be opened.
DrawingRead ReadDrawingToDraw(const std::u16string& path, TJwwData& doc);

}  // namespace plandock::render
