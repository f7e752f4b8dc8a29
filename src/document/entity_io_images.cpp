// The image section of a JWW archive: embedded image files after the block definitions.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/entity_io.h"
#include "document/entity_io_internal.h"
#include "document/images.h"
#include "document/layout_internal.h"
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

// Finds the first list entry whose upper-cased name begins with a given
// upper-cased name in logarithmic time, so that many image texts over many
// entries stay far from texts x entries.
class ImageNameIndex {
 public:
  explicit ImageNameIndex(const std::vector<TBindImageType>& images) : n_(images.size()) {
    std::vector<std::pair<std::u16string, size_t>> sorted;
    sorted.reserve(n_);
    for (size_t k = 0; k < n_; ++k) sorted.emplace_back(UpperText(images[k].Fname), k);
    std::sort(sorted.begin(), sorted.end());
    names_.reserve(n_);
    least_.assign(2 * n_, kNone);
    for (size_t p = 0; p < n_; ++p) {
      names_.push_back(std::move(sorted[p].first));
      least_[n_ + p] = sorted[p].second;
    }
    for (size_t p = n_; p-- > 1;) least_[p] = std::min(least_[2 * p], least_[2 * p + 1]);
  }

  // The entries beginning with `upper` are one run of the sorted names; the
  // least list index of that run is taken from a segment tree over it.
  size_t FirstWithPrefix(const std::u16string& upper) const {
    const auto begin = std::lower_bound(names_.begin(), names_.end(), upper);
    const auto end = std::partition_point(begin, names_.end(), [&](const std::u16string& s) {
      return s.compare(0, upper.size(), upper) == 0;
    });
    size_t lo = n_ + static_cast<size_t>(begin - names_.begin());
    size_t hi = n_ + static_cast<size_t>(end - names_.begin());
    size_t best = kNone;
    for (; lo < hi; lo /= 2, hi /= 2) {
      if (lo % 2 == 1) best = std::min(best, least_[lo++]);
      if (hi % 2 == 1) best = std::min(best, least_[--hi]);
    }
    return best;
  }

  static constexpr size_t kNone = std::numeric_limits<size_t>::max();

 private:
  size_t n_;
  std::vector<std::u16string> names_;  // upper-cased, sorted
  std::vector<size_t> least_;          // segment tree of list indexes, leaves at n_..2n_-1
};

// Marks the images named by the texts of one order list: for each image text,
// the first entry whose name begins with the text's image name, ignoring case.
void MarkImagesNamedBy(const EntityArrays& a, size_t used, const ImageNameIndex& index,
                       TJwwData& doc) {
  std::u16string name;
  for (size_t i = 0; i < used; ++i) {
    const TEntJwwNo& e = (*a.no)[i];
    if (e.EntType != kEntMoji || !a.Names(e)) continue;
    if (!ImageNameOf((*a.moji)[static_cast<size_t>(e.EntNo)].str, &name)) continue;
    const size_t k = index.FirstWithPrefix(UpperText(name));
    if (k != ImageNameIndex::kNone) doc.BindImage[k].exf = true;
  }
}

// The file that holds an entry's bytes; empty when its name leaves nothing usable.
std::u16string ImagePath(const TJwwData& doc, const TBindImageType& image) {
  const std::u16string name = SafeImageName(image.Fname);
  return name.empty() ? std::u16string() : doc.BindImageFolder + name;
}

}  // namespace

void ReadImageSection(ArchiveReader& in, TJwwData& doc) {
  doc.BindImageInit();
  if (!doc.BindImageExp && !doc.BindImageExr) return;

  // The images come last: when the section is cut short or damaged, the
  // drawing before it still reads and only the images it cannot give are lost.
  int32_t count = in.I32();
  if (count < 0) count = 0;
  if (static_cast<uint64_t>(count) * layout::kMinImageEntryBytes > in.remaining()) return;
  doc.BindImage.resize(static_cast<size_t>(count));
  for (TBindImageType& image : doc.BindImage) {
    in.Progress();
    image.Fname = in.ReadCleanString();
    image.Fsize = in.I32();
    if (image.Fname.empty() || image.Fsize <= 0) continue;  // no data follows
    const std::string_view data = in.Bytes(static_cast<size_t>(image.Fsize));
    if (!doc.BindImageExp) continue;                               // stepped over
    if (data.size() < static_cast<size_t>(image.Fsize)) continue;  // a part of an image is none
    const std::u16string name = SafeImageName(image.Fname);
    if (name.empty()) continue;
    // A file that cannot be written is removed again; the drawing still reads.
    (void)ExtractImage(doc, name, reinterpret_cast<const uint8_t*>(data.data()), data.size());
  }
}

void WriteImageSection(ArchiveWriter& out, TJwwData& doc) {
  for (TBindImageType& image : doc.BindImage) image.exf = false;

  const ImageNameIndex index(doc.BindImage);
  MarkImagesNamedBy(DocumentArrays(doc), UsedEntries(doc.EntNo, doc.Enthd.n1), index, doc);
  // Every definition counts, referenced or not: its image texts keep their image.
  for (TEntJwwBlockDef& def : doc.EntBlockDef) {
    MarkImagesNamedBy(DefinitionArrays(def), def.mNo.size(), index, doc);
  }

  const bool carried = doc.BindImageExp || doc.BindImageExr;
  for (TBindImageType& image : doc.BindImage) {
    if (!image.exf) continue;
    const std::u16string path = ImagePath(doc, image);
    image.exf = carried && !path.empty() && platform::FileExists(path);
  }

  // The count goes first, and a block already handed on cannot be changed:
  // the images are read before it, and one that cannot be read now is left
  // out whole, name and all, and unmarked.
  std::vector<std::pair<const TBindImageType*, std::vector<uint8_t>>> carried_images;
  for (TBindImageType& image : doc.BindImage) {
    if (!image.exf) continue;
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(ImagePath(doc, image), bytes) ||
        bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
      image.exf = false;
      continue;
    }
    carried_images.emplace_back(&image, std::move(bytes));
  }
  out.I32(static_cast<int32_t>(carried_images.size()));
  for (const auto& [image, bytes] : carried_images) {
    out.WriteMfcString(image->Fname);
    out.I32(static_cast<int32_t>(bytes.size()));
    out.Blob(bytes.data(), bytes.size());
  }
}

}  // namespace plandock
