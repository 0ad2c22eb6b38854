// make-settings-seeds FACTORY_FOLDER SEEDS_FOLDER
// The seed corpora of the settings fuzz targets, written by our own writers:
// settings files of an effect with a parameter of every class at random
// values, the options file, gradient and bevel texts at random values, and
// the factory settings and library entries the build ships.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "fuzz/SettingsFuzzing.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/GradientLibrary.h"
#include "settings/OptionsRecord.h"
#include "tests/settings/EveryParameterEffect.h"
#include "tests/settings/ParameterValues.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file) {
        std::fprintf(stderr, "make-settings-seeds: cannot write %s\n", path.string().c_str());
        std::exit(1);
    }
}

void CopyFolder(const fs::path& from, const fs::path& to) {
    if (!fs::is_directory(from)) return;
    for (const fs::directory_entry& entry : fs::directory_iterator(from))
        fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
}

template <class Value, int kMax>
std::string RandomValueText(std::mt19937& random, void (*fill)(std::mt19937&, Value&, int)) {
    Value value;
    value.Clear();
    value.count = static_cast<int32_t>(random() % (kMax + 1));
    fill(random, value, value.count);
    return value.ToText();
}

void FillGradient(std::mt19937& random, GradientValue& value, int count) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < count; ++i) {
        value.stops[i] =
            GradientValueStop{unit(random),
                              static_cast<int32_t>(random() % 7),
                              3,
                              static_cast<unsigned char>(random() % 2),
                              {static_cast<int16_t>(random() % 256), static_cast<int16_t>(random() % 256),
                               static_cast<int16_t>(random() % 256), static_cast<int16_t>(random() % 256), 0},
                              unit(random)};
    }
}

void FillProfile(std::mt19937& random, BevelProfileValue& value, int count) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < count; ++i)
        value.points[i] = BevelProfilePoint{unit(random), unit(random), static_cast<unsigned char>(random() % 2)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-settings-seeds FACTORY_FOLDER SEEDS_FOLDER\n");
        return 2;
    }
    const fs::path factory = argv[1];
    const fs::path seeds = argv[2];
    for (const char* corpus : {"settings_file", "gradient_text", "bevel_text"}) {
        fs::remove_all(seeds / corpus);
        fs::create_directories(seeds / corpus);
    }
    std::mt19937 random(20240611);

    GivenSettingsFolders nowhere("", "");
    DappleSettingsArchiver archiver(nowhere);
    EffectParameters every(std::make_unique<everyparameter::Effect>());
    for (int i = 0; i < 8; ++i) {
        ParameterSet& set = every.Reset();
        if (i > 0) {
            for (std::size_t p = 0; p < set.Count(); ++p) SetRandomValue(*set.At(p), random);
        }
        std::string text;
        if (archiver.WriteSettingsText(every.Effect().InternalName(), set, text).IsFailure()) return 1;
        Write(seeds / "settings_file" / ("every-" + std::to_string(i)), text);
    }
    Write(seeds / "settings_file" / "options", OptionsText(OptionsRecord{-12, 40, 900, 700, 1}));
    CopyFolder(factory / "Edge", seeds / "settings_file");

    for (int i = 0; i < 6; ++i) {
        Write(seeds / "gradient_text" / ("random-" + std::to_string(i)),
              RandomValueText<GradientValue, GradientValue::kMaxStops>(random, FillGradient));
        Write(seeds / "bevel_text" / ("random-" + std::to_string(i)),
              RandomValueText<BevelProfileValue, BevelProfileValue::kMaxPoints>(random, FillProfile));
    }
    CopyFolder(factory / GradientValue::kLibraryFolder, seeds / "gradient_text");
    CopyFolder(factory / BevelProfileValue::kLibraryFolder, seeds / "bevel_text");
    Write(seeds / "settings-made", "");
    return 0;
}
