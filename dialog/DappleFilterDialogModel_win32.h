// The family's dialog model: the base model and the one parameter kind it
// does not know, the content file chosen with the tube button (picture
// tubes, frames, tile libraries, textures).
#pragma once

#include <memory>

#include "controls/ContentOpenDialog.h"
#include "dialog/FilterDialogModel_win32.h"

class EffectContentModel;

class DappleFilterDialogModel : public FilterDialogModel {
public:
    DappleFilterDialogModel(IFilterDialog& dialog, FilterDialogContext& context);
    ~DappleFilterDialogModel() override;

protected:
    ResultCode CreateExtensionControl(FilterParameter& parameter, HWND parent, const RECT& rect,
                                      ParameterControl& bound) override;

private:
    // The content of the effect whose controls were built last.
    std::unique_ptr<EffectContentModel> content_;
    FilterKind contentKind_ = FilterKinds::None;
    ContentOpenDialog files_;
};
