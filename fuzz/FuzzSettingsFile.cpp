// Named settings files and the options file: the loader on the Edges
// effect's parameters (through the file, as the dialog loads a setting) and
// on an effect with a parameter of every class the archiver knows (from
// text), then the options reader. A file that loads must save to a text that
// loads again and saves the same; options that read must write and read
// back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "filters/edge/Edge.h"
#include "fuzz/FuzzInputFile.h"
#include "fuzz/SettingsFuzzing.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/OptionsRecord.h"
#include "settings/TextLines.h"
#include "tests/settings/EveryParameterEffect.h"

namespace {

// Whether a line of a written text (each ended by CR LF) is longer than
// the reader takes.
bool HasOverlongLine(const std::string& text) {
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        if (end - start > kMaxLineLength) return true;
        start = end + 2;
    }
    return false;
}

// The values read write a text that reads back to the same values. Lines
// cut on reading (a gradient of huge numbers) cannot come back whole.
void CheckSavedAgain(SettingsArchiver& archiver, EffectParameters& parameters) {
    const std::string name = parameters.Effect().InternalName();
    std::string first;
    FUZZ_CHECK(archiver.WriteSettingsText(name, parameters.Set(), first).IsSuccess());
    FUZZ_CHECK(archiver.ReadSettingsText(name, parameters.Reset(), first).IsSuccess());
    std::string second;
    FUZZ_CHECK(archiver.WriteSettingsText(name, parameters.Set(), second).IsSuccess());
    FUZZ_CHECK(HasOverlongLine(first) || first == second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static GivenSettingsFolders nowhere("", "");
    static DappleSettingsArchiver archiver(nowhere);
    static EffectParameters edge(std::make_unique<Edge>());
    static EffectParameters every(std::make_unique<everyparameter::Effect>());
    const std::string text(reinterpret_cast<const char*>(data), size);

    edge.Reset();
    if (archiver.LoadFile(edge.Effect(), edge.Set(), WriteFuzzInput(data, size)).IsSuccess())
        CheckSavedAgain(archiver, edge);
    if (archiver.ReadSettingsText(every.Effect().InternalName(), every.Reset(), text).IsSuccess())
        CheckSavedAgain(archiver, every);

    OptionsRecord options;
    if (ReadOptionsText(text, options)) {
        OptionsRecord again{1, 2, 3, 4, 0};
        FUZZ_CHECK(ReadOptionsText(OptionsText(options), again));
        FUZZ_CHECK(again.left == options.left && again.top == options.top && again.right == options.right &&
                   again.bottom == options.bottom && again.flag == options.flag);
    }
    return 0;
}
