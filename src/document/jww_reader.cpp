// Reads a whole JWW drawing: header and tables, the object lists, the image
// section, then derives the block tree.
#include "document/block_tree.h"
#include "document/entity_io.h"
#include "document/header_io.h"
#include "document/jww_file.h"
#include "document/layout_internal.h"
#include "platform/mapped_file.h"

namespace plandock {
namespace {

// How far reading runs between two releases of the file bytes behind it.
constexpr size_t kReleaseStep = size_t{4} << 20;

bool ReadObjectSections(ArchiveReader& in, TJwwData& doc, ReadFailure* why) {
  const int32_t version = doc.Enthd.jwVer;
  ArchiveClasses classes;
  if (!ReadEntityList(in, doc, version, classes, why)) return false;
  if (!ReadBlockDefList(in, doc, version, classes, why)) return false;
  if (version >= layout::kSinceImages) ReadImageSection(in, doc);
  return true;
}

// Reads a drawing from a file image; `in` carries the owner's progress
// notice, if any.
bool ReadDrawing(TJwwData& doc, ArchiveReader& in, ReadFailure* why) {
  if (why != nullptr) *why = ReadFailure::kNone;
  const bool header_ok = ReadHeader(in, doc, why);
  bool ok = header_ok && ReadObjectSections(in, doc, why);
  // The counts announced by the file, as far as the lists took them in.
  doc.Enthd.n1 = static_cast<int32_t>(doc.EntNo.size());
  doc.Enthd.n2 = doc.EntBlockDefN();
  // A rejected header leaves no drawing to build a tree from.
  if (header_ok) MakeBlockTree(doc);
  return ok;
}

ReadFailure OpenFailure(platform::MapResult r) {
  switch (r) {
    case platform::MapResult::kNotRegularFile:
      return ReadFailure::kNotRegularFile;
    case platform::MapResult::kTooLarge:
      return ReadFailure::kTooLarge;
    default:
      return ReadFailure::kCannotOpen;
  }
}

}  // namespace

bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size, ReadFailure* why, size_t* end) {
  doc.DataInit();
  ArchiveReader in(data, size, doc.MojiEncode);
  const bool ok = ReadDrawing(doc, in, why);
  if (end != nullptr) *end = in.pos();
  return ok;
}

bool FileInMemory(TJwwData& doc, const uint8_t* data, size_t size, ReadFailure* why) {
  return FileInMemory(doc, data, size, why, nullptr);
}

bool FileIn(TJwwData& doc, const std::u16string& path, ReadFailure* why) {
  doc.DataInit();
  platform::MappedFile file;
  const platform::MapResult opened = file.Open(path, kMaxDrawingBytes);
  if (opened != platform::MapResult::kOk) {
    MakeBlockTree(doc);
    if (why != nullptr) *why = OpenFailure(opened);
    return false;
  }
  ArchiveReader in(file.data(), file.size(), doc.MojiEncode);
  // What the reading has passed is let go of, so that the file and the
  // drawing built from it are not both held whole.
  in.NotifyPassed([](void* f, size_t pos) { static_cast<platform::MappedFile*>(f)->Release(pos); },
                  &file, kReleaseStep);
  return ReadDrawing(doc, in, why);
}

}  // namespace plandock
