// The image section of a JWW archive: embedded image files after the block definitions.

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "document/entity_io.h"
#include "document/entity_io_internal.h"
#include "document/images.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

using namespace entity_io;

// An image text of an embedded image starts so; its image name runs to the first comma.
constexpr std::u16string_view kImageTextPrefix = u"^@BM%temp%";

// The image name an image text gives; false when the text names no embedded image.
bool ImageNameOf(const std::u16string& text, std::u16string* name) {
  if (text.size() <= kImageTextPrefix.size()) return false;
  if (std::u16string_view(text).substr(0, kImageTextPrefix.size()) != kImageTextPrefix) {
    return false;
  }
  const size_t comma = text.find(u',');
  if (comma == std::u16string::npos) return false;
  *name = text.substr(kImageTextPrefix.size(), comma - kImageTextPrefix.size());
  return true;
}

// Marks the images named by the texts of one order list: for each image text,
// the first entry whose name begins with the text's image name, ignoring case.
void MarkImagesNamedBy(const EntityArrays& a, size_t used,
                       const std::vector<std::u16string>& upper_names, TJwwData& doc) {
  std::u16string name;
  for (size_t i = 0; i < used; ++i) {
    const TEntJwwNo& e = (*a.no)[i];
    if (e.EntType != kEntMoji || !a.Names(e)) continue;
    if (!ImageNameOf((*a.moji)[static_cast<size_t>(e.EntNo)].str, &name)) continue;
    const std::u16string upper = UpperText(name);
    for (size_t k = 0; k < upper_names.size(); ++k) {
      if (upper_names[k].compare(0, upper.size(), upper) == 0) {
        doc.BindImage[k].exf = true;
        break;
      }
    }
  }
}

// The file that holds an entry's bytes; empty when its name leaves nothing usable.
std::u16string ImagePath(const TJwwData& doc, const TBindImageType& image) {
  const std::u16string name = SafeImageName(image.Fname);
  return name.empty() ? std::u16string() : doc.BindImageFolder + name;
}

}  // namespace

bool ReadImageSection(ArchiveReader& in, TJwwData& doc, ReadFailure* why) {
  doc.BindImageInit();
  if (!doc.BindImageExp && !doc.BindImageExr) return true;

  int32_t count = in.I32();
  if (count < 0) count = 0;
  if (static_cast<uint64_t>(count) * kMinImageEntryBytes > in.remaining()) {
    if (why) *why = ReadFailure::kIo;
    return false;
  }
  doc.BindImage.resize(static_cast<size_t>(count));
  for (TBindImageType& image : doc.BindImage) {
    image.Fname = in.ReadCleanString();
    image.Fsize = in.I32();
    if (image.Fname.empty() || image.Fsize <= 0) continue;  // no data follows
    const std::string_view data = in.Bytes(static_cast<size_t>(image.Fsize));
    if (!doc.BindImageExp) continue;  // stepped over
    const std::u16string name = SafeImageName(image.Fname);
    if (name.empty()) continue;
    // A file that cannot be written is removed again; the drawing still reads.
    (void)ExtractImage(doc, name, reinterpret_cast<const uint8_t*>(data.data()), data.size());
  }
  return true;
}

void WriteImageSection(ArchiveWriter& out, TJwwData& doc) {
  for (TBindImageType& image : doc.BindImage) image.exf = false;

  std::vector<std::u16string> upper_names;
  upper_names.reserve(doc.BindImage.size());
  for (const TBindImageType& image : doc.BindImage) upper_names.push_back(UpperText(image.Fname));
  MarkImagesNamedBy(DocumentArrays(doc), UsedEntries(doc.EntNo, doc.Enthd.n1), upper_names, doc);
  // Every definition counts, referenced or not: its image texts keep their image.
  for (TEntJwwBlockDef& def : doc.EntBlockDef) {
    MarkImagesNamedBy(DefinitionArrays(def), def.mNo.size(), upper_names, doc);
  }

  const bool carried = doc.BindImageExp || doc.BindImageExr;
  for (TBindImageType& image : doc.BindImage) {
    if (!image.exf) continue;
    const std::u16string path = ImagePath(doc, image);
    image.exf = carried && !path.empty() && platform::FileExists(path);
  }

  // The count goes in first and is settled last: an image that cannot be read
  // now is left out whole, name and all, and unmarked.
  std::vector<uint8_t>& buffer = out.buffer();
  const size_t count_at = buffer.size();
  out.I32(0);
  int32_t written = 0;
  std::vector<uint8_t> bytes;
  for (TBindImageType& image : doc.BindImage) {
    if (!image.exf) continue;
    if (!platform::ReadWholeFile(ImagePath(doc, image), bytes) ||
        bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      image.exf = false;
      continue;
    }
    out.WriteMfcString(image.Fname);
    out.I32(static_cast<int32_t>(bytes.size()));
    out.Bytes(bytes.data(), bytes.size());
    ++written;
  }
  std::memcpy(buffer.data() + count_at, &written, sizeof written);  // little-endian, as the archive
}

}  // namespace plandock
