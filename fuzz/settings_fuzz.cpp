// A settings file of arbitrary bytes: loading it, saving the settings and
// loading that file again must give the same 75 lines.
#include <cstddef>
#include <cstdint>

#include "app/settings_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandock;
  if (size > 1 << 20) return 0;
  const std::u16string input = fuzz::ScratchFile(u"in.ini");
  const std::u16string saved = fuzz::ScratchFile(u"saved.ini");
  fuzz::WriteScratch(input, data, size);
  AppSettings first;
  if (!LoadSettingsFile(input, first)) fuzz::Broken("an existing settings file did not load");
  if (!SaveSettingsFile(saved, first)) fuzz::Broken("settings could not be saved");
  AppSettings second;
  if (!LoadSettingsFile(saved, second)) fuzz::Broken("saved settings did not load");
  if (SettingsLines(first) != SettingsLines(second)) fuzz::Broken("lines changed on the way");
  return 0;
}
