// Small text files are read with standard streams, the same on every platform.
#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/files.h"

namespace plandock::platform {

bool ReadFilePrefix(const std::u16string& path, std::size_t max_bytes, std::string& bytes,
                    bool& cut) {
  try {
    const std::string native = NativePath(path);
    const std::filesystem::path fs_path(std::u8string(native.begin(), native.end()));
    std::ifstream in(fs_path, std::ios::binary);
    if (!in) return false;
    std::vector<char> chunk(64 * 1024);
    bytes.clear();
    while (bytes.size() < max_bytes) {
      const std::size_t want = std::min(chunk.size(), max_bytes - bytes.size());
      in.read(chunk.data(), static_cast<std::streamsize>(want));
      const auto got = static_cast<std::size_t>(in.gcount());
      bytes.append(chunk.data(), got);
      if (got < want) break;
    }
    if (in.bad()) return false;
    cut = bytes.size() == max_bytes && in.peek() != std::char_traits<char>::eof();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace plandock::platform
