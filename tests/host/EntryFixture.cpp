#include "EntryFixture.h"

#include <cstring>

#include "host/ImageFacts.h"

namespace {

EntryTest* gSpyingTest = nullptr;
ps::AdvanceStateProc gHostAdvanceState = nullptr;

ps::OSErr PS_CALLBACK SpyingAdvanceState() {
    // The request as the plug-in made it, before the host answers (and clips) it.
    if (gSpyingTest != nullptr) gSpyingTest->RecordRequest();
    return gHostAdvanceState();
}

}  // namespace

EntryTest::EntryTest() {
    previousSink_ = SetWarningSink([this](const std::string& line) { warnings.push_back(line); });
    previousRunner_ = SetFilterDialogRunner([this](Filter&, ParameterBlock& block, RunRecord&, ps::FilterRecord&) {
        ++dialogRuns;
        if (dialogEdit) dialogEdit(block);
        return ResultCode(dialogAnswer);
    });
}

EntryTest::~EntryTest() {
    SetWarningSink(previousSink_);
    SetFilterDialogRunner(previousRunner_);
    if (gSpyingTest == this) gSpyingTest = nullptr;
}

ProbeRecord EntryTest::StoredParameters() {
    ProbeRecord record{};
    std::string bytes;
    EXPECT_TRUE(host.Handles().Read(host.ParametersHandle(kKind), bytes));
    EXPECT_EQ(bytes.size(), ParameterBlock::kSize);
    if (bytes.size() >= sizeof record) std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

void EntryTest::StoreParameters(const ProbeRecord& record) {
    ps::Handle handle = host.ParametersHandle(kKind);
    ASSERT_NE(handle, nullptr);
    std::memcpy(host.Handles().Lock(handle), &record, sizeof record);
    host.Handles().Unlock(handle);
}

void EntryTest::SpyOnAdvanceState() {
    gSpyingTest = this;
    gHostAdvanceState = host.Record().advanceState;
    host.Record().advanceState = SpyingAdvanceState;
}

void EntryTest::RecordRequest() {
    const ps::FilterRecord& record = host.Record();
    requests.push_back(AdvanceRequest{RectFromHost(record.inRect), RectFromHost(record.outRect),
                                      RectFromHost(record.maskRect), record.inLoPlane, record.inHiPlane});
}

HostImage EntryTest::Filled(HostImageMode mode, int32_t width, int32_t height, bool transparency,
                            const std::vector<uint8_t>& values) {
    HostImage image(mode, width, height, transparency);
    image.Fill(values);
    return image;
}
