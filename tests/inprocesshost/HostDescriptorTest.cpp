// The descriptor store and the host's descriptor procedures: what a plug-in
// writes comes back unchanged, each get insists on its type, and nothing a
// plug-in does with a bad token or handle reaches memory.
#include <gtest/gtest.h>

#include <cstring>

#include "inprocesshost/InProcessHost.h"

namespace {

constexpr uint32_t kAmount = ps::FourCC("Amnt");
constexpr uint32_t kName = ps::FourCC("Name");
constexpr uint32_t kFlag = ps::FourCC("Flag");
constexpr uint32_t kMode = ps::FourCC("Mode");
constexpr uint32_t kSeed = ps::FourCC("Seed");
constexpr uint32_t kSize = ps::FourCC("Size");
constexpr uint32_t kInner = ps::FourCC("Innr");

DescriptorStore SampleStore() {
    DescriptorStore inner;
    inner.PutInteger(kSeed, 7);
    DescriptorStore store;
    store.PutFloat(kAmount, 0.1);
    store.PutText(kName, "RGB: 100.0% 50.2% 0.0% (255 128 0)");
    store.PutBoolean(kFlag, true);
    store.PutEnumerated(kMode, ps::FourCC("edMd"), ps::FourCC("edM3"));
    store.PutInteger(kSeed, -12345);
    store.PutUnitFloat(kSize, ps::unitPixels, 12.5);
    store.PutObject(kInner, ps::FourCC("Clss"), inner);
    return store;
}

TEST(DescriptorStore, SerialisesAndReadsBackEveryType) {
    const DescriptorStore store = SampleStore();
    const std::vector<uint8_t> bytes = store.Serialize();
    DescriptorStore read;
    ASSERT_TRUE(DescriptorStore::Deserialize(bytes.data(), bytes.size(), read));
    EXPECT_EQ(read, store);
    ASSERT_EQ(read.Size(), 7u);
    EXPECT_EQ(read.Items()[0].key, kAmount) << "keys keep the order they were put in";
    EXPECT_EQ(read.Find(kSeed)->integer, -12345);
}

TEST(DescriptorStore, RefusesBytesItDidNotWrite) {
    const DescriptorStore store = SampleStore();
    std::vector<uint8_t> bytes = store.Serialize();
    DescriptorStore read;
    read.PutInteger(kSeed, 1);
    const DescriptorStore before = read;
    for (std::size_t cut : {std::size_t{0}, std::size_t{5}, bytes.size() - 1}) {
        EXPECT_FALSE(DescriptorStore::Deserialize(bytes.data(), cut, read)) << "cut at " << cut;
    }
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(DescriptorStore::Deserialize(longer.data(), longer.size(), read));
    bytes[0] ^= 0xFF;
    EXPECT_FALSE(DescriptorStore::Deserialize(bytes.data(), bytes.size(), read));
    EXPECT_EQ(read, before);
}

TEST(DescriptorStore, PuttingAKeyAgainReplacesItInPlace) {
    DescriptorStore store;
    store.PutFloat(kAmount, 1.0);
    store.PutInteger(kSeed, 2);
    store.PutText(kAmount, "now a text");
    ASSERT_EQ(store.Size(), 2u);
    EXPECT_EQ(store.Items()[0].type, ps::typeChar);
    EXPECT_EQ(store.Items()[0].bytes, "now a text");
}

// A text handle, the way a plug-in makes one through the host.
ps::Handle TextHandle(const ps::HandleProcs& procs, const std::string& text) {
    ps::Handle handle = procs.newProc(static_cast<int32_t>(text.size()));
    std::memcpy(procs.lockProc(handle, 0), text.data(), text.size());
    procs.unlockProc(handle);
    return handle;
}

std::string HandleText(const ps::HandleProcs& procs, ps::Handle handle) {
    const int32_t size = procs.getSizeProc(handle);
    std::string text(procs.lockProc(handle, 0), static_cast<std::size_t>(size));
    procs.unlockProc(handle);
    return text;
}

TEST(HostDescriptors, WhatThePluginWritesReadsBackThroughTheProcedures) {
    InProcessHost host;
    const ps::FilterRecord& record = host.Record();
    const ps::HandleProcs& handles = *record.handleProcs;
    const ps::WriteDescriptorProcs& write = *record.descriptorParameters->writeDescriptorProcs;
    const ps::ReadDescriptorProcs& read = *record.descriptorParameters->readDescriptorProcs;

    ps::PIWriteDescriptor writer = write.openWriteDescriptorProc();
    ASSERT_NE(writer, nullptr);
    const double amount = 42.5;
    EXPECT_EQ(write.putFloatProc(writer, kAmount, &amount), ps::noErr);
    ps::Handle text = TextHandle(handles, "12.50 millimeters");
    EXPECT_EQ(write.putTextProc(writer, kName, text), ps::noErr);
    handles.disposeProc(text);
    EXPECT_EQ(write.putBooleanProc(writer, kFlag, 1), ps::noErr);
    EXPECT_EQ(write.putEnumeratedProc(writer, kMode, ps::FourCC("edMd"), ps::FourCC("edM2")), ps::noErr);
    EXPECT_EQ(write.putIntegerProc(writer, kSeed, 300), ps::noErr);
    ps::PIDescriptorHandle descriptor = nullptr;
    EXPECT_EQ(write.closeWriteDescriptorProc(writer, &descriptor), ps::noErr);
    ASSERT_NE(descriptor, nullptr);

    ps::DescriptorKeyID keys[] = {kSeed, kAmount, kSize, 0};
    ps::PIReadDescriptor reader = read.openReadDescriptorProc(descriptor, keys);
    ASSERT_NE(reader, nullptr);
    ps::DescriptorKeyID key = 0;
    ps::DescType type = 0;
    int32_t flags = 0;

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(key, kAmount);
    EXPECT_EQ(type, ps::typeFloat);
    const double low = 0.0;
    const double high = 40.0;
    double value = 0.0;
    EXPECT_EQ(read.getPinnedFloatProc(reader, &low, &high, &value), ps::coercedParamErr);
    EXPECT_EQ(value, 40.0);
    int32_t integer = 0;
    EXPECT_EQ(read.getIntegerProc(reader, &integer), kDescriptorWrongType) << "a float is not an integer";

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    ps::Handle readText = nullptr;
    ASSERT_EQ(read.getTextProc(reader, &readText), ps::noErr);
    EXPECT_EQ(HandleText(handles, readText), "12.50 millimeters");
    handles.disposeProc(readText);

    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    ps::Boolean flag = 0;
    EXPECT_EQ(read.getBooleanProc(reader, &flag), ps::noErr);
    EXPECT_EQ(flag, 1);
    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    ps::DescriptorEnumID enumerated = 0;
    EXPECT_EQ(read.getEnumeratedProc(reader, &enumerated), ps::noErr);
    EXPECT_EQ(enumerated, ps::FourCC("edM2"));
    ASSERT_TRUE(read.getKeyProc(reader, &key, &type, &flags));
    EXPECT_EQ(read.getPinnedIntegerProc(reader, 0, 255, &integer), ps::coercedParamErr);
    EXPECT_EQ(integer, 255);
    EXPECT_FALSE(read.getKeyProc(reader, &key, &type, &flags));

    // Delivered keys are zeroed; the one never delivered stays.
    EXPECT_EQ(keys[0], 0u);
    EXPECT_EQ(keys[1], 0u);
    EXPECT_EQ(keys[2], kSize);
    EXPECT_EQ(read.closeReadDescriptorProc(reader), kDescriptorWrongType) << "close reports the first refusal";
    handles.disposeProc(descriptor);
    EXPECT_EQ(host.OpenDescriptors(), 0);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST(HostDescriptors, BadTokensAndHandlesAreRefused) {
    InProcessHost host;
    const ps::FilterRecord& record = host.Record();
    const ps::WriteDescriptorProcs& write = *record.descriptorParameters->writeDescriptorProcs;
    const ps::ReadDescriptorProcs& read = *record.descriptorParameters->readDescriptorProcs;

    ps::PIWriteDescriptor writer = write.openWriteDescriptorProc();
    const ps::Handle notAHandle = reinterpret_cast<ps::Handle>(0x1234);
    EXPECT_EQ(write.putTextProc(writer, kName, notAHandle), ps::paramErr);
    ps::Handle plain = record.handleProcs->newProc(3);
    EXPECT_EQ(write.putObjectProc(writer, kInner, ps::FourCC("Clss"), plain), ps::paramErr)
        << "an object must be a descriptor";
    EXPECT_EQ(read.openReadDescriptorProc(plain, nullptr), nullptr);
    record.handleProcs->disposeProc(plain);
    ps::PIDescriptorHandle closed = nullptr;
    EXPECT_EQ(write.closeWriteDescriptorProc(writer, &closed), ps::noErr);
    EXPECT_EQ(write.closeWriteDescriptorProc(writer, &closed), ps::paramErr) << "closed twice";
    record.handleProcs->disposeProc(closed);

    int32_t value = 0;
    EXPECT_EQ(read.getIntegerProc(reinterpret_cast<ps::PIReadDescriptor>(writer), &value), ps::paramErr);
    EXPECT_EQ(host.OpenDescriptors(), 0);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST(HostDescriptors, AWrittenDescriptorIsRecordedAndCanBePlayedBack) {
    InProcessHost host;
    host.SetImage(HostImage(HostImageMode::Grey, 2, 2, false));
    std::vector<double> readAmounts;
    // A plug-in that reads "Amnt" when it is given a descriptor and records
    // twice the amount it had.
    host.SetEntry([&readAmounts](int16_t selector, void* data, intptr_t*, int16_t* result, int32_t) {
        auto& record = *static_cast<ps::FilterRecord*>(data);
        ps::PIDescriptorParameters& parameters = *record.descriptorParameters;
        *result = 0;
        if (selector == ps::filterSelectorStart && parameters.descriptor != nullptr) {
            const ps::ReadDescriptorProcs& read = *parameters.readDescriptorProcs;
            ps::PIReadDescriptor reader = read.openReadDescriptorProc(parameters.descriptor, nullptr);
            ps::DescriptorKeyID key;
            ps::DescType type;
            double amount = 0.0;
            while (read.getKeyProc(reader, &key, &type, nullptr)) {
                if (key == kAmount) read.getFloatProc(reader, &amount);
            }
            read.closeReadDescriptorProc(reader);
            record.handleProcs->disposeProc(parameters.descriptor);
            parameters.descriptor = nullptr;
            readAmounts.push_back(amount);
        }
        if (selector == ps::filterSelectorFinish) {
            const ps::WriteDescriptorProcs& write = *parameters.writeDescriptorProcs;
            ps::PIWriteDescriptor writer = write.openWriteDescriptorProc();
            const double doubled = readAmounts.empty() ? 1.0 : readAmounts.back() * 2;
            write.putFloatProc(writer, kAmount, &doubled);
            write.closeWriteDescriptorProc(writer, &parameters.descriptor);
        }
    });
    ASSERT_TRUE(host.RunFilter(FilterKinds::Frame).Succeeded());
    EXPECT_TRUE(readAmounts.empty()) << "no descriptor is handed in unless one is played";
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    EXPECT_EQ(host.RecordedDescriptor()->Find(kAmount)->number, 1.0);

    host.ReplayRecordedDescriptor();
    ASSERT_TRUE(host.RunFilter(FilterKinds::Frame).Succeeded());
    ASSERT_TRUE(host.RunFilter(FilterKinds::Frame).Succeeded());
    EXPECT_EQ(readAmounts, (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(host.RecordedDescriptor()->Find(kAmount)->number, 2.0);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

}  // namespace
