// The contract between an effect and the rest of the system: what the effect
// can work on, how big its parameter record is and what its defaults are, how
// it maps rectangles, how it renders, and which parameters it offers to the
// dialog, to scripting and to named settings.
//
// The factory constructs an effect with its default constructor and then
// stores its kind. One effect object lives for one run of the plug-in; its
// render state lives from BeginRender to EndRender.
#pragma once

#include <cstdint>
#include <string>

#include "base/FilterKind.h"
#include "base/Rect.h"
#include "base/ResultCode.h"

struct ParameterBlock;
struct RenderContext;
class ParameterSet;

struct FilterSize {
    int32_t width = 0;
    int32_t height = 0;
};

class Filter {
public:
    Filter() = default;
    Filter(const Filter&) = delete;
    Filter& operator=(const Filter&) = delete;
    virtual ~Filter();

    // Byte size of the effect's parameter record.
    virtual int32_t ParameterSize() const = 0;
    virtual bool WantsDialog() const { return true; }
    virtual bool UsesWholeCanvas() const { return false; }
    virtual bool AllowsFlatImage() const { return false; }
    // After each rendered piece the core blends the result with the source
    // through the selection mask. Effects that paint outside the selection
    // answer false and mask by themselves.
    virtual bool CoreAppliesMask() const { return true; }
    // When the whole layer is filtered without a selection, the layer's
    // transparency becomes the shape to work on.
    virtual bool UsesTransparencyAsShape() const { return true; }
    virtual bool RequiresLayer() const { return false; }
    virtual bool SupportsCMYK() const { return true; }
    // False: the render cuts the area into squares of TileSize.
    virtual bool RendersInOnePiece() const { return true; }
    // 1 when the transparency is not used as the shape; otherwise 0 for an
    // effect that uses the whole canvas, else 1.
    virtual int32_t SourceMode() const;
    // Smallest width and height of the area to filter.
    virtual FilterSize MinimumSize() const { return FilterSize(); }
    virtual int32_t TileSize() const { return 500; }

    // Writes the kind and the effect's default values into the block.
    virtual void WriteDefaults(ParameterBlock& block) const = 0;
    // The output area that changes when the input area `in` changes; `scale`
    // is image pixels per rendered pixel.
    virtual Rect AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const;
    // The input area to read to produce `area`; the base asks MapRect.
    virtual Rect NeededInputRect(const Rect& area, const ParameterBlock& block, double scale) const;
    virtual Rect MapRect(const Rect& in) const { return in; }

    // Releases render state left from an earlier render and prepares a new one.
    virtual ResultCode BeginRender(RenderContext& context);
    // Renders one piece: context.area of context.outputView.
    virtual ResultCode Render(RenderContext& context) = 0;
    // Releases render state.
    virtual void EndRender(const ParameterBlock& block);

    // Creates the effect's parameters bound to `block` and adds them to `set`
    // (with the dialog page titles). When memory runs out, the parameters
    // added so far stay in the set.
    virtual ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const = 0;
    // The effect's fixed internal name, also the folder of its named settings.
    virtual std::string InternalName() const = 0;
    // Marks each parameter's control enabled or disabled for the current
    // values. The base enables every one.
    virtual void UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const;

    FilterKind kind = FilterKinds::None;
    // Facts about the document, set by whoever creates the effect for one.
    // The resolution, through which lengths in the parameter record become
    // pixels.
    double pixelsPerInch = 72.0;
    // Whether the layer worked on has transparency; control states may
    // follow it.
    bool targetHasTransparency = false;
};
