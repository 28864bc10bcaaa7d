// Fuzzes the reading of native outline buffers: any bytes, any size, any cb and counts.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/outline_invariants.h"
#include "native/native_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A tight heap copy, so that AddressSanitizer catches any read past the end.
  const std::vector<std::uint8_t> buffer(data, data + size);
  const moji::GlyphOutline outline = moji::WalkNativeOutline(buffer, 1.0f / 32.0f, u"A");
  if (!moji::KeepsOutlineInvariants(outline)) std::abort();
  return 0;
}
