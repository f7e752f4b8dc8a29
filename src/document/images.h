// Embedded image files: extraction folder bookkeeping, joining, deletion, copying.
#pragma once

#include <string>

#include "document/document.h"

namespace plandock {

// A stored image name reduced to its last component, or empty when nothing
// usable is left (also for a Windows device name such as "NUL.bmp"); nothing
// outside the image folder is ever named.
std::u16string SafeImageName(const std::u16string& fname);
// Writes one extracted image as BindImageFolder + name; a partly written file is
// deleted again. False when the image could not be written completely.
bool ExtractImage(const TJwwData& doc, const std::u16string& fname, const uint8_t* data,
                  size_t size);
void BindImageDeleteGzFile(TJwwData& doc);
void BindImageDeleteNonGzFile(TJwwData& doc);
// Deletes the extracted image files, then empties the document.
void JwwDataFree(TJwwData& doc);
// Joins the images of `merged` into `base`'s folder and list.
void BindImageJoin(TJwwData& base, const TJwwData& merged);
// Copies a file and gives the copy the source's times. False (nothing created)
// when the source is missing or the path is rejected; a copy that fails later
// returns true and leaves no destination file.
bool FileCopyKeepTime(const std::u16string& source, const std::u16string& destination);

}  // namespace plandock
