// The effects warn the user through the platform (a box on Windows, which
// waits for someone to close it). The filter tests render at full size
// with options that warn, so warnings go to a sink that drops them; a test
// that checks a warning installs its own sink.
#include <gtest/gtest.h>

#include "platform/Warning.h"

namespace {

class QuietWarnings : public ::testing::Environment {
public:
    void SetUp() override {
        previous_ = SetWarningSink([](const std::string&) {});
    }
    void TearDown() override { SetWarningSink(previous_); }

private:
    WarningSink previous_;
};

const ::testing::Environment* const kQuietWarnings = ::testing::AddGlobalTestEnvironment(new QuietWarnings);

}  // namespace
