// Embedded image files: the files extracted into a document's image
// folder, joining a merged drawing's files into the base document, deleting
// them when a document is emptied, and the time-keeping file copy.
//
// Every stored name passes SafeImageName before it is appended to an image
// folder, so no operation here reads, copies or deletes a file outside it.
#include "document/images.h"

#include "platform/files.h"
#include "util/path.h"
#include "util/text.h"

namespace plandock {

namespace {

// CON, PRN, AUX, NUL, COM0-9 and LPT0-9 (also with superscript digits), with
// or without an extension: on Windows such a name opens a device, not a file.
bool IsDeviceName(const std::u16string& name) {
  std::u16string base = UpperText(name.substr(0, name.find(u'.')));
  while (!base.empty() && base.back() == u' ') base.pop_back();
  if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") return true;
  if (base.size() != 4 || (base.compare(0, 3, u"COM") != 0 && base.compare(0, 3, u"LPT") != 0)) {
    return false;
  }
  const char16_t digit = base[3];
  return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
         digit == u'\u00B3';
}

}  // namespace

std::u16string SafeImageName(const std::u16string& fname) {
  const size_t cut = fname.find_last_of(u"\\/:");
  std::u16string name = cut == std::u16string::npos ? fname : fname.substr(cut + 1);
  // Empty, "." and ".." name the folder or its parent. Windows also ignores
  // trailing dots and spaces, so any name made only of them is refused too.
  if (name.find_first_not_of(u". ") == std::u16string::npos) return {};
  if (IsDeviceName(name)) return {};
  return name;
}

bool ExtractImage(const TJwwData& doc, const std::u16string& fname, const uint8_t* data,
                  size_t size) {
  const std::u16string name = SafeImageName(fname);
  if (name.empty()) return false;
  const std::u16string path = doc.BindImageFolder + name;
  // Written beside the target and renamed over it, so no partial file appears.
  if (platform::WriteFileReplacing(path, data, size)) return true;
  // The image could not be written completely: no file of that name stays.
  // The failure is already the result; a file that cannot go is left.
  if (platform::FileExists(path)) (void)platform::DeleteFileAt(path);
  return false;
}

namespace {

bool IsGz(const std::u16string& name) {
  bool ok = true;
  const std::u16string ext = PathExtLower(name, &ok);
  return ok && ext == u".gz";
}

void DeleteInFolder(const TJwwData& doc, const std::u16string& name) {
  const std::u16string safe = SafeImageName(name);
  if (safe.empty()) return;
  const std::u16string path = doc.BindImageFolder + safe;
  // Clean-up of extracted images: one that cannot go only stays in the image folder.
  if (platform::FileExists(path)) (void)platform::DeleteFileAt(path);
}

}  // namespace

void BindImageDeleteGzFile(TJwwData& doc) {
  for (const TBindImageType& img : doc.BindImage) {
    const std::u16string name = SafeImageName(img.Fname);
    if (!name.empty() && IsGz(name)) DeleteInFolder(doc, name);
  }
}

void BindImageDeleteNonGzFile(TJwwData& doc) {
  for (const TBindImageType& img : doc.BindImage) {
    const std::u16string name = SafeImageName(img.Fname);
    if (name.empty()) continue;
    // A compressed entry's uncompressed counterpart; the name itself otherwise.
    DeleteInFolder(doc, IsGz(name) ? PathChangeExt(name, u"") : name);
  }
}

void JwwDataFree(TJwwData& doc) {
  BindImageDeleteGzFile(doc);
  BindImageDeleteNonGzFile(doc);
  doc.DataFree();
  doc.BindImageInit();
}

void BindImageJoin(TJwwData& base, const TJwwData& merged) {
  base.BindImage.reserve(base.BindImage.size() + merged.BindImage.size());
  for (const TBindImageType& img : merged.BindImage) {
    const std::u16string name = SafeImageName(img.Fname);
    if (name.empty()) continue;
    const std::u16string source = merged.BindImageFolder + name;
    const std::u16string target = base.BindImageFolder + name;
    if (!platform::FileExists(source) || platform::FileExists(target)) continue;
    if (!FileCopyKeepTime(source, target)) {
      // The copy raised an error before it began: no file, no entry (a file
      // that cannot go is left; the entry is skipped either way).
      if (platform::FileExists(target)) (void)platform::DeleteFileAt(target);
      continue;
    }
    // A copy that failed after it began reports nothing; the entry is added and
    // the writer, finding no file for it, leaves it out.
    base.BindImage.push_back(img);
  }
  base.BindImage.shrink_to_fit();
}

bool FileCopyKeepTime(const std::u16string& source, const std::u16string& destination) {
  // Step 1: a path the platform rejects or a missing source is the caller's error.
  if (source.empty() || PathHasInvalidChar(source) || !platform::FileExists(source)) return false;
  // Steps 2-5: the platform copies into a temporary file beside the destination
  // and renames it over the destination only when the bytes and the times are
  // in place; on failure the temporary is removed, so no partial destination is
  // ever left and an earlier file of that name stays as it was. Not reported.
  (void)platform::CopyFileKeepTimes(source, destination);
  return true;
}

}  // namespace plandock
