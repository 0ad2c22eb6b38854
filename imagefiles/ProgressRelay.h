// An image-file progress function as the sink parallel loops report to.
#pragma once

#include "base/Progress.h"
#include "imagefiles/ImageFiles.h"

class ProgressRelay : public ProgressUpdateSink {
public:
    explicit ProgressRelay(const ImageFileProgress& progress) : progress_(progress) {}
    void Update(double fraction) override {
        if (progress_) progress_(fraction);
    }

private:
    const ImageFileProgress& progress_;
};
