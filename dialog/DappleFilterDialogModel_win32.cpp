#include "dialog/DappleFilterDialogModel_win32.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "content/EffectContentModel.h"
#include "controls/VtTubeButtonControl.h"
#include "filters/Filter.h"
#include "filters/TubeButtonParameter.h"

namespace {

constexpr std::size_t kRecordPath = 1;  // the path follows the relative flag

}  // namespace

DappleFilterDialogModel::DappleFilterDialogModel(IFilterDialog& dialog, FilterDialogContext& context)
    : FilterDialogModel(dialog, context) {}

DappleFilterDialogModel::~DappleFilterDialogModel() = default;

ResultCode DappleFilterDialogModel::CreateExtensionControl(FilterParameter& parameter, HWND parent, const RECT& rect,
                                                           ParameterControl& bound) {
    auto* tube = dynamic_cast<TubeButtonParameter*>(&parameter);
    if (tube == nullptr) return FilterDialogModel::CreateExtensionControl(parameter, parent, rect, bound);
    // One content model per effect, shared by its choosers; the controls of
    // another effect are gone before this one's are built.
    if (content_ == nullptr || contentKind_ != CurrentKind()) {
        content_ = std::make_unique<EffectContentModel>(CurrentKind());
        contentKind_ = CurrentKind();
    }
    std::unique_ptr<VtTubeButtonControl> control(new (std::nothrow) VtTubeButtonControl);
    if (control == nullptr) return ResultCode::OutOfMemory();
    const ResultCode made = control->Create(parent, rect, 0, Dialog().Font(), content_.get(), &files_, &Prompts());
    if (made.IsFailure()) return made;
    control->SetChangeSink(ParametersChangedSink());
    VtTubeButtonControl& c = *control;
    const std::size_t capacity = std::min(tube->pathCapacity, ContentRecord().size() - kRecordPath - 1);
    bound.show = [&c, tube, capacity] {
        ContentRecord record = c.GetValue();  // keeps the carried byte the control holds
        record[0] = *tube->relative;
        std::memset(record.data() + kRecordPath, 0, capacity);
        std::memcpy(record.data() + kRecordPath, tube->path, strnlen(tube->path, capacity));
        c.SetValue(record);
    };
    bound.read = [&c, tube, capacity] {
        const ContentRecord record = c.GetValue();
        *tube->relative = record[0];
        std::memset(tube->path, 0, tube->pathCapacity);
        const char* path = reinterpret_cast<const char*>(record.data() + kRecordPath);
        std::memcpy(tube->path, path, strnlen(path, capacity));
    };
    bound.preferredHeight = [&c] { return c.PreferredHeight(); };
    bound.control = control.get();
    bound.compound = control.get();
    bound.window = std::move(control);
    return ResultCode::Success();
}
