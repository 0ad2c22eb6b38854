// A small effect of the tests' own, installed for a kind through the filter
// factory's override. Its capabilities are set per test; everything it is
// asked to do is written to a log the test reads afterwards.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "host/FilterFactory.h"
#include "pluginapi/PluginInterface.h"

// The probe's parameter record.
struct ProbeRecord {
    FilterKind kind;
    double amount;       // key "Amnt", 0 to 100, default 25
    unsigned char flag;  // key "Flag", default 1
};

inline constexpr uint32_t kProbeAmountKey = ps::FourCC("Amnt");
inline constexpr uint32_t kProbeFlagKey = ps::FourCC("Flag");
inline constexpr double kProbeDefaultAmount = 25.0;

struct ProbeSettings {
    bool wantsDialog = true;
    bool usesWholeCanvas = false;
    bool allowsFlatImage = false;
    bool coreAppliesMask = true;
    bool usesTransparencyAsShape = true;
    bool requiresLayer = false;
    bool supportsCmyk = true;
    bool rendersInOnePiece = true;
    FilterSize minimumSize;
    int32_t tileSize = 500;
    int32_t affectedGrowth = 0;         // AffectedRect inflates a non-empty area by this much on every side
    std::optional<Rect> fixedAffected;  // when set, AffectedRect answers this whatever it is asked
    int renderStatus = 0;               // what Render answers
    uint16_t renderMessage = 0;         // with the message id
    int renderedAlpha = -1;             // alpha Render writes; -1 copies the input's
    bool throwInRender = false;         // Render runs out of memory by exception
    bool callHostFromThread = false;    // Render asks for host services from a second thread
};

struct ProbeLog {
    int created = 0;
    int destroyed = 0;
    int beginRenders = 0;
    int endRenders = 0;
    std::vector<Rect> pieces;             // context.area of every Render
    std::vector<Rect> inputBounds;        // bounds of the input rows of every Render
    std::vector<double> amountsRendered;  // the block's amount at every Render
    bool sawMaskView = false;
    Rect maskBounds;
    bool shapeFromTransparency = false;
    // What the second thread got: advance state, a buffer, the buffer space.
    int otherThreadAdvance = 0;
    int otherThreadAllocate = 0;
    int otherThreadSpace = 0;
};

// Renders the negative of the colour samples: 255 − input.
class ProbeFilter : public Filter {
public:
    ProbeFilter(const ProbeSettings& settings, ProbeLog& log) : settings_(settings), log_(log) { ++log_.created; }
    ~ProbeFilter() override { ++log_.destroyed; }

    int32_t ParameterSize() const override { return sizeof(ProbeRecord); }
    bool WantsDialog() const override { return settings_.wantsDialog; }
    bool UsesWholeCanvas() const override { return settings_.usesWholeCanvas; }
    bool AllowsFlatImage() const override { return settings_.allowsFlatImage; }
    bool CoreAppliesMask() const override { return settings_.coreAppliesMask; }
    bool UsesTransparencyAsShape() const override { return settings_.usesTransparencyAsShape; }
    bool RequiresLayer() const override { return settings_.requiresLayer; }
    bool SupportsCMYK() const override { return settings_.supportsCmyk; }
    bool RendersInOnePiece() const override { return settings_.rendersInOnePiece; }
    FilterSize MinimumSize() const override { return settings_.minimumSize; }
    int32_t TileSize() const override { return settings_.tileSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    Rect AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const override;
    ResultCode BeginRender(RenderContext& context) override;
    ResultCode Render(RenderContext& context) override;
    void EndRender(const ParameterBlock& block) override;
    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
    std::string InternalName() const override { return "Probe"; }

private:
    void CallHostFromAnotherThread();

    ProbeSettings settings_;
    ProbeLog& log_;
};

// Installs the probe for `kind` while it lives; `settings` may be changed
// until the effect is created.
class ScopedProbe {
public:
    explicit ScopedProbe(FilterKind kind = 1);

    ProbeSettings settings;
    ProbeLog log;

private:
    ScopedFilterOverride override_;
};
