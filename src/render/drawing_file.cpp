#include "render/drawing_file.h"

#include "document/jww_file.h"

namespace plandock::render {

DrawingRead ReadDrawingToDraw(const std::u16string& path, TJwwData& doc) {
  doc.BindImageExp = false;
  doc.BindImageExr = true;
  // The reader's own opening refuses folders, devices, pipes and files too large to be
  // a drawing before reading a byte, and closes the file when it returns.
  ReadFailure why = ReadFailure::kNone;
  if (FileIn(doc, path, &why)) return DrawingRead::kOk;
  switch (why) {
    case ReadFailure::kCannotOpen:
    case ReadFailure::kNotRegularFile:
    case ReadFailure::kTooLarge:
      return DrawingRead::kCannotOpen;
    default:
      return DrawingRead::kNotADrawing;
  }
}

}  // namespace plandock::render
