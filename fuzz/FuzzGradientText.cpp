// The gradient text form: "Gradient: " count, then "/"-led stops.
#include "fuzz/FuzzValueTexts.h"
#include "settings/GradientValue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzValueText<GradientValue>(data, size);
    return 0;
}
