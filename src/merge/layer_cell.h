// Reading the layer-group and layer cells of a file-list row ("A", "10", "").
#pragma once

#include <string_view>

namespace plandock {

// The number a cell names, after blanks are removed and letters upper-cased:
// a cell that begins with "A".."E" or is exactly "F" is one hexadecimal number
// ("A" is 10, "AB" 171); any other cell is read as a decimal (or '$'/'0x'
// prefixed) number, and a cell that is no number reads as 0. -1 for an empty cell.
int ReadLayerNumber(std::u16string_view cell);

// The looser reading of the window's choice dialogs and of the after-merge
// layer states: as ReadLayerNumber, except that a cell beginning with neither
// a hexadecimal letter nor a digit counts only when it names 1..15, and is
// -1 (keep) otherwise, so "G" keeps rather than meaning layer group 0.
int ReadLayerCode(std::u16string_view cell);

}  // namespace plandock
