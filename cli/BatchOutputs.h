// Where each input of a batch is written: DIR/<name><suffix>.<extension>,
// the extension the input's unless a format is given. Two inputs that would
// write the same file, and outputs that exist already, are found before any
// work starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imagefiles/ImageFiles.h"

struct BatchNaming {
    std::string folder;
    std::string suffix;
    std::optional<ImageFileFormat> format;  // nothing: each input's own
};

enum class BatchFileState {
    Pending,    // to be done
    Exists,     // the output is there and may not be replaced
    SameOutput  // an earlier input writes the same output
};

struct BatchFile {
    std::string input;
    std::string output;
    BatchFileState state = BatchFileState::Pending;
    std::size_t sameAs = 0;  // SameOutput: the earlier input's index
};

// The output path of `input`.
std::string BatchOutputPath(const std::string& input, const BatchNaming& naming);

// Every input with its output and state, in the order given. Existing
// outputs are Exists unless `overwrite`.
std::vector<BatchFile> PlanBatch(const std::vector<std::string>& inputs, const BatchNaming& naming, bool overwrite);
