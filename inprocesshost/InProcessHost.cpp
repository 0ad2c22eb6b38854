// The host's setup: construction, the document and the user's settings, and
// the filter record fields that follow from them.
#include "inprocesshost/InProcessHost.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "host/Entry.h"
#include "inprocesshost/ActiveHost.h"
#include "pluginapi/RectConversion.h"

namespace {

// This host's signature in the record ("Dapple command-line host").
constexpr ps::OSType kHostSignature = ps::FourCC("DplC");
constexpr int32_t kHostMemory = 512 << 20;

int16_t ColourServicesSpaceOf(HostImageMode mode) {
    switch (mode) {
        case HostImageMode::Grey: return ps::plugIncolorServicesGraySpace;
        case HostImageMode::Cmyk: return ps::plugIncolorServicesCMYKSpace;
        case HostImageMode::Lab: return ps::plugIncolorServicesLabSpace;
        case HostImageMode::Rgb: break;
    }
    return ps::plugIncolorServicesRGBSpace;
}

ps::RGBColor Wide(const std::array<uint8_t, 3>& rgb) {
    return ps::RGBColor{static_cast<uint16_t>(rgb[0] * 257), static_cast<uint16_t>(rgb[1] * 257),
                        static_cast<uint16_t>(rgb[2] * 257)};
}

// The colour as the image's planes hold it.
void ToFilterColour(const std::array<uint8_t, 3>& rgb, HostImageMode mode, ps::FilterColor& out) {
    const HostColour converted = RgbInSpace(rgb[0], rgb[1], rgb[2], ColourServicesSpaceOf(mode));
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(std::clamp<int>(converted.components[i], 0, 255));
}

}  // namespace

InProcessHost::InProcessHost() : descriptors_(handles_), entry_(Photoshop_Entry_Point) {
    RegisterInProcessHost(this);
    HostHandleTable::FillProcs(handleProcs_);
    HostBufferTable::FillProcs(bufferProcs_);
    HostDescriptorSuite::FillProcs(readProcs_, writeProcs_);
    FillPropertyProcs();

    descriptorParameters_.descriptorParametersVersion = ps::kCurrentDescriptorParametersVersion;
    descriptorParameters_.playInfo = playInfo_;
    descriptorParameters_.recordInfo = ps::plugInDialogOptional;
    descriptorParameters_.readDescriptorProcs = &readProcs_;
    descriptorParameters_.writeDescriptorProcs = &writeProcs_;

    record_.hostSig = kHostSignature;
    record_.maxSpace = kHostMemory;
    record_.bufferSpace = kHostMemory;
    record_.errorString = &errorString_;
    record_.inputRate = ps::kFixedOne;
    record_.maskRate = ps::kFixedOne;
    record_.depth = 8;
    ApplyCallbacksToRecord();
    ApplyDocumentToRecord();
}

InProcessHost::~InProcessHost() {
    // A run left open (an affected-area query, a test's own sequence) is
    // ended, so that the plug-in frees what it keeps in its data slot.
    for (auto& entry : plugins_) {
        if (entry.second.data != 0) CallSelector(entry.first, ps::filterSelectorFinish);
    }
    UnregisterInProcessHost(this);
}

// --- The document ---------------------------------------------------------------

InProcessHost& InProcessHost::SetImage(HostImage image) {
    const bool sameSize = image.width == image_.width && image.height == image_.height;
    image_ = std::move(image);
    if (!sameSize) selection_.clear();
    ApplyDocumentToRecord();
    return *this;
}

HostImage InProcessHost::TakeImage() {
    HostImage taken = std::move(image_);
    image_ = HostImage();
    selection_.clear();
    ApplyDocumentToRecord();
    return taken;
}

InProcessHost& InProcessHost::SetSelection(std::vector<uint8_t> mask) {
    selection_ = mask.size() == image_.PixelCount() ? std::move(mask) : std::vector<uint8_t>();
    ApplyDocumentToRecord();
    return *this;
}

InProcessHost& InProcessHost::SelectRect(const Rect& area) {
    std::vector<uint8_t> mask(image_.PixelCount(), 0);
    const Rect clipped = Rect::Intersect(area, Rect(0, 0, image_.height, image_.width));
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        auto row = mask.begin() + static_cast<std::ptrdiff_t>(y) * image_.width;
        std::fill(row + clipped.left, row + clipped.right, uint8_t{255});
    }
    return SetSelection(std::move(mask));
}

InProcessHost& InProcessHost::ClearSelection() { return SetSelection({}); }

InProcessHost& InProcessHost::SetFloatingSelection(bool floating) {
    floating_ = floating;
    ApplyDocumentToRecord();
    return *this;
}

InProcessHost& InProcessHost::SetTransparencyProtected(bool isProtected) {
    transparencyProtected_ = isProtected;
    ApplyDocumentToRecord();
    return *this;
}

InProcessHost& InProcessHost::SetResolution(double pixelsPerInch) {
    pixelsPerInch_ = std::max(pixelsPerInch, 0.0);
    ApplyDocumentToRecord();
    return *this;
}

InProcessHost& InProcessHost::SetColours(std::array<uint8_t, 3> foreground, std::array<uint8_t, 3> background) {
    foreground_ = foreground;
    background_ = background;
    ApplyColoursToRecord();
    return *this;
}

// --- The user and the host's preferences --------------------------------------

InProcessHost& InProcessHost::SetVersion(HostVersionNumber version, PropertyAnswer answer) {
    version_ = version;
    propertyAnswer_ = answer;
    return *this;
}

InProcessHost& InProcessHost::SetRulerUnits(intptr_t units) {
    rulerUnits_ = units;
    return *this;
}

InProcessHost& InProcessHost::SetPlayMode(int16_t playInfo) {
    playInfo_ = playInfo;
    descriptorParameters_.playInfo = playInfo;
    return *this;
}

InProcessHost& InProcessHost::SetPlayDescriptor(std::optional<DescriptorStore> descriptor) {
    playDescriptor_ = std::move(descriptor);
    return *this;
}

InProcessHost& InProcessHost::ReplayRecordedDescriptor() { return SetPlayDescriptor(recorded_); }

InProcessHost& InProcessHost::SetUserColourChoice(std::optional<HostColour> choice) {
    userColour_ = choice;
    return *this;
}

InProcessHost& InProcessHost::AbortAfterCalls(int64_t calls) {
    abortAfter_ = calls;
    return *this;
}

InProcessHost& InProcessHost::SetAbortQuestion(std::function<bool()> question) {
    abortQuestion_ = std::move(question);
    return *this;
}

InProcessHost& InProcessHost::SetRowPadding(int32_t bytes) {
    exchange_.SetRowPadding(bytes);
    return *this;
}

InProcessHost& InProcessHost::SetBufferSpace(int32_t bytes) {
    buffers_.SetSpace(bytes);
    return *this;
}

InProcessHost& InProcessHost::SetEntry(PluginEntry entry) {
    entry_ = std::move(entry);
    return *this;
}

InProcessHost& InProcessHost::SetProgressObserver(std::function<void(int32_t, int32_t)> observer) {
    progressObserver_ = std::move(observer);
    return *this;
}

// --- Missing services ---------------------------------------------------------------

InProcessHost& InProcessHost::Without(HostCallback callback) {
    omitted_.insert(callback);
    ApplyCallbacksToRecord();
    return *this;
}

InProcessHost& InProcessHost::WithNullProcs(HostSuite suite) {
    switch (suite) {
        case HostSuite::Handles: {
            const ps::HandleProcs kept = handleProcs_;
            handleProcs_ = ps::HandleProcs{};
            handleProcs_.handleProcsVersion = kept.handleProcsVersion;
            handleProcs_.numHandleProcs = kept.numHandleProcs;
            break;
        }
        case HostSuite::Buffers: {
            const ps::BufferProcs kept = bufferProcs_;
            bufferProcs_ = ps::BufferProcs{};
            bufferProcs_.bufferProcsVersion = kept.bufferProcsVersion;
            bufferProcs_.numBufferProcs = kept.numBufferProcs;
            break;
        }
        case HostSuite::Properties:
            propertyProcs_.getPropertyProc = nullptr;
            propertyProcs_.setPropertyProc = nullptr;
            record_.getPropertyObsolete = nullptr;
            break;
        case HostSuite::ReadDescriptors: {
            const ps::ReadDescriptorProcs kept = readProcs_;
            readProcs_ = ps::ReadDescriptorProcs{};
            readProcs_.readDescriptorProcsVersion = kept.readDescriptorProcsVersion;
            readProcs_.numReadDescriptorProcs = kept.numReadDescriptorProcs;
            break;
        }
        case HostSuite::WriteDescriptors: {
            const ps::WriteDescriptorProcs kept = writeProcs_;
            writeProcs_ = ps::WriteDescriptorProcs{};
            writeProcs_.writeDescriptorProcsVersion = kept.writeDescriptorProcsVersion;
            writeProcs_.numWriteDescriptorProcs = kept.numWriteDescriptorProcs;
            break;
        }
    }
    return *this;
}

// --- Record fields ------------------------------------------------------------------

Rect InProcessHost::SelectionBounds() const {
    const Rect whole(0, 0, image_.height, image_.width);
    if (selection_.empty()) return whole;
    Rect bounds;
    for (int32_t y = 0; y < image_.height; ++y) {
        const uint8_t* row = selection_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image_.width);
        for (int32_t x = 0; x < image_.width; ++x) {
            if (row[x] != 0) bounds = Rect::Union(bounds, Rect(y, x, y + 1, x + 1));
        }
    }
    return bounds;
}

int16_t InProcessHost::FilterCase() const {
    const bool selected = !selection_.empty();
    if (floating_) return ps::filterCaseFloatingSelection;
    if (!image_.transparency) {
        return selected ? ps::filterCaseFlatImageWithSelection : ps::filterCaseFlatImageNoSelection;
    }
    if (transparencyProtected_) {
        return selected ? ps::filterCaseProtectedTransparencyWithSelection
                        : ps::filterCaseProtectedTransparencyNoSelection;
    }
    return selected ? ps::filterCaseEditableTransparencyWithSelection : ps::filterCaseEditableTransparencyNoSelection;
}

int32_t InProcessHost::OutputPlanes() const {
    return image_.ColourPlanes() + (image_.transparency && !transparencyProtected_ ? 1 : 0);
}

void InProcessHost::ApplyDocumentToRecord() {
    const int16_t width = static_cast<int16_t>(std::min(image_.width, int32_t{INT16_MAX}));
    const int16_t height = static_cast<int16_t>(std::min(image_.height, int32_t{INT16_MAX}));
    record_.imageSize = ps::Point16{height, width};
    record_.wholeSize = record_.imageSize;
    record_.floatCoord = ps::Point16{0, 0};
    record_.planes = static_cast<int16_t>(image_.Planes());
    record_.filterRect = RectToHost(SelectionBounds());
    record_.isFloating = floating_ ? 1 : 0;
    record_.haveMask = selection_.empty() ? 0 : 1;
    record_.imageMode = static_cast<int16_t>(image_.mode);
    const ps::Fixed resolution = static_cast<ps::Fixed>(std::lround(pixelsPerInch_ * 65536.0));
    record_.imageHRes = resolution;
    record_.imageVRes = resolution;
    record_.filterCase = FilterCase();

    const int16_t colourPlanes = static_cast<int16_t>(image_.ColourPlanes());
    const int16_t transparency = image_.transparency ? 1 : 0;
    record_.inLayerPlanes = colourPlanes;
    record_.inTransparencyMask = transparency;
    record_.inLayerMasks = 0;
    record_.inInvertedLayerMasks = 0;
    record_.inNonLayerPlanes = 0;
    // Protected transparency: the plug-in sees the transparency but may not change it.
    record_.outLayerPlanes = colourPlanes;
    record_.outTransparencyMask = transparencyProtected_ ? 0 : transparency;
    record_.outLayerMasks = 0;
    record_.outInvertedLayerMasks = 0;
    record_.outNonLayerPlanes = 0;
    record_.absLayerPlanes = colourPlanes;
    record_.absTransparencyMask = transparency;
    record_.absLayerMasks = 0;
    record_.absInvertedLayerMasks = 0;
    record_.absNonLayerPlanes = 0;
    ApplyColoursToRecord();
}

void InProcessHost::ApplyColoursToRecord() {
    record_.foreground = Wide(foreground_);
    record_.background = Wide(background_);
    ToFilterColour(foreground_, image_.mode, record_.foreColor);
    ToFilterColour(background_, image_.mode, record_.backColor);
}

void InProcessHost::ClearRequestFields() {
    record_.inRect = ps::Rect16{0, 0, 0, 0};
    record_.outRect = ps::Rect16{0, 0, 0, 0};
    record_.maskRect = ps::Rect16{0, 0, 0, 0};
    record_.inLoPlane = record_.inHiPlane = 0;
    record_.outLoPlane = record_.outHiPlane = 0;
    record_.inData = record_.outData = record_.maskData = nullptr;
    record_.inRowBytes = record_.outRowBytes = record_.maskRowBytes = 0;
    record_.inputRate = ps::kFixedOne;
    record_.maskRate = ps::kFixedOne;
}

// --- What the host saw --------------------------------------------------------------

intptr_t InProcessHost::DataSlot(FilterKind kind) const {
    auto found = plugins_.find(kind);
    return found == plugins_.end() ? 0 : found->second.data;
}

ps::Handle InProcessHost::ParametersHandle(FilterKind kind) const {
    auto found = plugins_.find(kind);
    return found == plugins_.end() ? nullptr : found->second.parameters;
}

int64_t InProcessHost::LeakedHandles() const {
    int64_t kept = 0;
    for (const auto& entry : plugins_) {
        if (handles_.IsLive(entry.second.parameters)) ++kept;
    }
    if (handles_.IsLive(descriptorParameters_.descriptor)) ++kept;
    return handles_.Stats().live - kept;
}
