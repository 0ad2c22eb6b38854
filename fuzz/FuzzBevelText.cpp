// The bevel profile text form: "Bevel: " count, then "/"-led points.
#include "fuzz/FuzzValueTexts.h"
#include "settings/BevelProfileValue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzValueText<BevelProfileValue>(data, size);
    return 0;
}
