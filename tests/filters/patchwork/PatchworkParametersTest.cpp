// The Patchwork effect's record, defaults, capability answers and dialog
// parameters.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "filters/LengthSliderParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/TubeButtonParameter.h"
#include "filters/patchwork/Patchwork.h"
#include "platform/ResourceStrings.h"

namespace {

TEST(PatchworkRecord, LayoutIsTheStoredRecord) {
    EXPECT_EQ(offsetof(PatchworkParameters, kind), 0u);
    EXPECT_EQ(offsetof(PatchworkParameters, tileSize), 8u);
    EXPECT_EQ(offsetof(PatchworkParameters, library), 24u);
    EXPECT_EQ(sizeof(ContentReference), 1025u);
    Patchwork patchwork;
    EXPECT_EQ(patchwork.ParameterSize(), 1056);
}

TEST(PatchworkRecord, DefaultsNameTheDefaultLibraryRelatively) {
    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    Patchwork patchwork;
    patchwork.WriteDefaults(block);
    const PatchworkParameters& p = block.As<PatchworkParameters>();
    EXPECT_EQ(p.kind, 4);
    EXPECT_EQ(p.tileSize.value, 6.0);
    EXPECT_EQ(p.tileSize.unit, kLengthPixels);
    EXPECT_EQ(p.library.relative, 1);
    EXPECT_EQ(std::string(p.library.path), LoadResourceString(4707));
    EXPECT_EQ(std::string(p.library.path), "\\Content\\Tiles\\Mosaic.ptl");
    const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
    for (std::size_t i = 1056; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
}

TEST(PatchworkRecord, CapabilitiesAndAreas) {
    Patchwork patchwork;
    EXPECT_TRUE(patchwork.WantsDialog());
    EXPECT_FALSE(patchwork.UsesWholeCanvas());
    EXPECT_FALSE(patchwork.AllowsFlatImage());
    EXPECT_TRUE(patchwork.CoreAppliesMask());
    EXPECT_TRUE(patchwork.UsesTransparencyAsShape());
    EXPECT_FALSE(patchwork.RequiresLayer());
    EXPECT_FALSE(patchwork.SupportsCMYK());
    EXPECT_TRUE(patchwork.RendersInOnePiece());
    EXPECT_EQ(patchwork.MinimumSize().width, 6);
    EXPECT_EQ(patchwork.MinimumSize().height, 6);
    EXPECT_EQ(patchwork.InternalName(), "Patchwork");
    ParameterBlock block{};
    patchwork.WriteDefaults(block);
    const Rect area(3, 4, 50, 60);
    EXPECT_EQ(patchwork.NeededInputRect(area, block, 1.0), area);
    EXPECT_EQ(patchwork.NeededInputRect(area, block, 4.0), area);
}

TEST(PatchworkParameterList, LibraryThenTileSizeBoundToTheRecord) {
    Patchwork patchwork;
    ParameterBlock block{};
    patchwork.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(patchwork.BuildParameters(set, block).IsSuccess());
    ASSERT_EQ(set.Count(), 2u);
    PatchworkParameters& p = block.As<PatchworkParameters>();

    auto* library = dynamic_cast<TubeButtonParameter*>(set.At(0));
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->KeyAt(0), ps::FourCC("Path"));
    EXPECT_EQ(library->KeyAt(1), ps::FourCC("Rltv"));
    EXPECT_EQ(library->relative, &p.library.relative);
    EXPECT_EQ(library->path, p.library.path);
    EXPECT_EQ(library->pathCapacity, 1023u);
    EXPECT_EQ(library->label, LoadResourceString(7348));

    auto* size = dynamic_cast<LengthSliderParameter*>(set.At(1));
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->KeyAt(0), ps::FourCC("Wdth"));
    EXPECT_EQ(size->value, &p.tileSize);
    EXPECT_EQ(size->minimum, 6.0);
    EXPECT_EQ(size->maximum, 100.0);
    EXPECT_EQ(size->label, LoadResourceString(4702));
    EXPECT_EQ(size->hint, LoadResourceString(4716));
    for (int id : {4702, 4716, 4707, 7348}) EXPECT_NE(LoadResourceString(id), kLostString) << id;

    // A validated size stays within 6 to 100 in its own unit.
    p.tileSize.Set(2.0, kLengthPixels);
    size->Validate();
    EXPECT_EQ(p.tileSize.value, 6.0);
    p.tileSize.Set(250.0, kLengthMillimeters);
    size->Validate();
    EXPECT_EQ(p.tileSize.value, 100.0);
    EXPECT_EQ(p.tileSize.unit, kLengthMillimeters);
}

}  // namespace
