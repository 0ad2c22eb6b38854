#include "dialog/FilterDialogModel_win32.h"

#include <algorithm>
#include <new>

#include "controls/ChildWindows.h"
#include "controls/KeyboardSinks.h"
#include "controls/ParameterGrid.h"
#include "controls/VtButtonControl.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtPreviewControl.h"
#include "controls/VtStatusBarControl.h"
#include "controls/VtTabControl.h"
#include "controls/VtThumbnailControl.h"
#include "controls/VtToolboxControl.h"
#include "dialog/ApplyCommandLine.h"
#include "dialog/DialogLayout.h"
#include "dialog/PreviewModelSource_win32.h"
#include "dialog/ZoomLevels.h"
#include "filters/CheckboxParameter.h"
#include "filters/Filter.h"
#include "filters/FilterParameter.h"
#include "host/DocumentFacts.h"
#include "host/EffectAcceptance.h"
#include "host/FilterFactory.h"
#include "host/RunRecord.h"
#include "platform/HostIdentity.h"
#include "platform/ResourceStrings.h"
#include "platform/Warning.h"

namespace {

// Resource strings of the fixed controls and of the model's messages.
constexpr int kOkCaptionId = 10752;
constexpr int kCancelCaptionId = 10751;
constexpr int kOkHelpId = 11000;
constexpr int kCancelHelpId = 11001;
// The preview's help by the tool chosen: pan, zoom, the effect's own.
constexpr int kPreviewHelpIds[] = {11002, 11007, 11008};
constexpr int kThumbnailHelpId = 11003;
constexpr int kPreviewOutOfMemoryId = 10030;
constexpr int kPreviewFailedId = 10031;
constexpr int kDialogFailedId = 10900;
constexpr int kSwitchFailedId = 10902;
constexpr int kSwitchOutOfMemoryId = 10903;
// One rhythm down every page: this much room below each control.
constexpr int kRowGap = 8;

// The first window in `control` (or the control itself) that Tab stops at.
HWND FirstTabStop(HWND control) {
    if (control == nullptr || !IsWindowVisible(control) || !IsWindowEnabled(control)) return nullptr;
    if ((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0) return control;
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = FirstTabStop(child)) return found;
    }
    return nullptr;
}

RECT ToRECT(const Rect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

Rect Region(DialogRegion region, const RECT& client) {
    return DialogRegionRect(region, Rect(client.top, client.left, client.bottom, client.right));
}

}  // namespace

FilterDialogModel::FilterDialogModel(IFilterDialog& dialog, FilterDialogContext& context)
    : dialog_(dialog),
      context_(context),
      folders_(context.settingsFolders != nullptr ? *context.settingsFolders : runningFolders_),
      archiver_(folders_),
      gradients_(folders_),
      bevels_(folders_) {}

FilterDialogModel::~FilterDialogModel() {
    destroyed_ = true;
    if (preview_ != nullptr) preview_->StopWorker();
    // The controls refer to the preview model: they go first.
    DestroyParameterControls();
    tabs_.reset();
    previewControl_.reset();
    thumbnail_.reset();
    toolbox_.reset();
    okButton_.reset();
    cancelButton_.reset();
    statusBar_.reset();
    previewSource_.reset();
    preview_.reset();
}

FilterKind FilterDialogModel::CurrentKind() const { return current_ != nullptr ? current_->kind : FilterKinds::None; }

Filter& FilterDialogModel::CurrentEffect() { return *Current().filter; }

ParameterBlock& FilterDialogModel::CurrentBlock() { return *Current().block; }

const ParameterBlock& FilterDialogModel::Defaults() { return Current().defaults; }

bool FilterDialogModel::CanUndo() { return current_ != nullptr && Current().history.CanUndo(); }

bool FilterDialogModel::CanRedo() { return current_ != nullptr && Current().history.CanRedo(); }

ResultCode FilterDialogModel::Initialize() {
    ResultCode result = ResultCode::Success();
    try {
        if (context_.filter == nullptr || context_.block == nullptr) return ResultCode::Failure();
        effectList_ = BuiltEffectList();
        openingBlock_ = *context_.block;
        auto session = std::make_unique<EffectSession>();
        session->kind = context_.filter->kind;
        session->filter = context_.filter;
        session->block = context_.block;
        session->filter->WriteDefaults(session->defaults);
        session->document = context_.document;
        EffectSession& own = *session;
        sessions_[own.kind] = std::move(session);
        preview_ = std::make_unique<PreviewModel>(own.document, *this);
        previewSource_ = std::make_unique<PreviewModelSource>(*preview_);
        result = CreateFixedControls();
        if (result.IsSuccess()) {
            RestoreOptions();
            dialog_.CheckViewOption(viewOptionChecked_);
            preview_->ShowEffect(viewOptionChecked_);
            // The first use of the effect with this host's parameters starts
            // from the settings last used, as a recorded action does not.
            const RunRecord* run = context_.run;
            if (run != nullptr && run->firstUse != 0 && run->readFromScript == 0) StartFromLastUsed(own);
            result = ShowEffect(own);
        }
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    if (result.IsFailure()) {
        SuspendedKeyboardHook quiet;
        ShowWarning(LoadResourceString(kDialogFailedId), dialog_.Window());
    }
    return result;
}

ResultCode FilterDialogModel::CreateFixedControls() {
    HWND window = dialog_.Window();
    const RECT client = dialog_.ClientArea();
    const HFONT font = dialog_.Font();

    okButton_ = std::make_unique<VtButtonControl>();
    ResultCode result = okButton_->Create(window, ToRECT(Region(DialogRegion::OkButton, client)), kOkId, true, font);
    if (result.IsFailure()) return result;
    okButton_->SetCaption(LoadResourceString(kOkCaptionId));
    okButton_->SetHelpText(LoadResourceString(kOkHelpId));
    okButton_->SetClickSink(&okSink_);

    cancelButton_ = std::make_unique<VtButtonControl>();
    result = cancelButton_->Create(window, ToRECT(Region(DialogRegion::CancelButton, client)), kCancelId, false, font);
    if (result.IsFailure()) return result;
    cancelButton_->SetCaption(LoadResourceString(kCancelCaptionId));
    cancelButton_->SetHelpText(LoadResourceString(kCancelHelpId));
    cancelButton_->SetClickSink(&cancelSink_);

    previewControl_ = std::make_unique<VtPreviewControl>();
    result = previewControl_->Create(window, ToRECT(Region(DialogRegion::Preview, client)), kPreviewId,
                                     previewSource_.get());
    if (result.IsFailure()) return result;
    previewControl_->SetHelpText(LoadResourceString(kPreviewHelpIds[kPreviewToolPan]));

    thumbnail_ = std::make_unique<VtThumbnailControl>();
    result =
        thumbnail_->Create(window, ToRECT(Region(DialogRegion::Thumbnail, client)), kThumbnailId, previewSource_.get());
    if (result.IsFailure()) return result;
    thumbnail_->SetHelpText(LoadResourceString(kThumbnailHelpId));

    toolbox_ = std::make_unique<VtToolboxControl>();
    result = toolbox_->Create(window, ToRECT(Region(DialogRegion::Toolbox, client)), previewSource_.get());
    if (result.IsFailure()) return result;

    statusBar_ = std::make_unique<VtStatusBarControl>();
    return statusBar_->Create(window, kStatusBarId);
}

ResultCode FilterDialogModel::BuildParameterControls() {
    const std::size_t titles = parameters_.Groups().size();
    const int pages = std::max<int>(1, static_cast<int>(titles));
    HWND window = dialog_.Window();
    const RECT client = dialog_.ClientArea();
    std::vector<RECT> areas;
    std::vector<HWND> parents;
    if (pages > 1) {
        tabs_ = std::make_unique<VtTabControl>();
        const ResultCode made =
            tabs_->Create(window, ToRECT(Region(DialogRegion::Tabs, client)), kTabsId, dialog_.Font());
        if (made.IsFailure()) return made;
        for (const std::string& title : parameters_.Groups()) {
            const ResultCode added = tabs_->AddPage(title);
            if (added.IsFailure()) return added;
        }
        for (int page = 0; page < pages; ++page) {
            RECT area{};
            ::GetClientRect(tabs_->PageWindow(page), &area);
            InflateRect(&area, -6, -6);
            areas.push_back(area);
            parents.push_back(tabs_->PageWindow(page));
        }
    } else {
        areas.push_back(ToRECT(Region(DialogRegion::ParameterColumn, client)));
        parents.push_back(window);
    }
    std::vector<int> nextY;
    for (const RECT& area : areas) nextY.push_back(area.top);

    for (std::size_t i = 0; i < parameters_.Count();) {
        FilterParameter& parameter = *parameters_.At(i);
        // A group without a page of its own goes on the last page, framed.
        const int page = std::clamp(parameter.group, 0, pages - 1);
        const std::size_t at = static_cast<std::size_t>(page);
        const ResultCode made = parameter.group >= pages ? BuildSection(i, page, parents[at], areas[at], nextY[at])
                                                         : BuildRow(parameter, page, parents[at], areas[at], nextY[at]);
        if (made.IsFailure()) return made;
        if (parameter.group < pages) ++i;
    }
    // The dialog's client area must hold the lowest control, with the
    // column's margins and, on tab pages, the tabs around the page.
    int lowest = 0;
    for (std::size_t page = 0; page < areas.size(); ++page)
        lowest = std::max<int>(lowest, nextY[page] - areas[page].top);
    const RECT column = ToRECT(Region(tabs_ != nullptr ? DialogRegion::Tabs : DialogRegion::ParameterColumn, client));
    int frame = column.top + (client.bottom - column.bottom);
    if (tabs_ != nullptr) {
        RECT page{};
        ::GetClientRect(tabs_->PageWindow(0), &page);
        frame += 12 + Height(column) - Height(page);
    }
    dialog_.ControlsNeed(lowest + frame);
    return ResultCode::Success();
}

ResultCode FilterDialogModel::BuildRow(FilterParameter& parameter, int page, HWND parent, const RECT& area, int& y) {
    controls_.emplace_back();
    ParameterControl& bound = controls_.back();
    bound.parameter = &parameter;
    bound.page = page;
    int height = 0;
    const ResultCode made = CreateSizedControl(parameter, parent, area, y, bound, height);
    if (made.IsFailure()) return made;
    if (bound.window == nullptr) {
        // A kind no model has a control for keeps its value untouched.
        controls_.pop_back();
        return ResultCode::Success();
    }
    bound.control->SetHelpText(parameter.hint);
    parameter.control = bound.control;
    y += height + kRowGap;
    return ResultCode::Success();
}

ResultCode FilterDialogModel::BuildSection(std::size_t& index, int page, HWND parent, const RECT& area, int& y) {
    const int32_t group = parameters_.At(index)->group;
    const HFONT font = dialog_.Font();
    const int textHeight = TextLineHeight(dialog_.Window(), font, 13);
    // A leading checkbox is the caption: the frame's line runs through its
    // middle (a group box draws its line half a text line below its top).
    auto* caption = dynamic_cast<CheckboxParameter*>(parameters_.At(index));
    const int captionRow = caption != nullptr ? VtCheckboxControl::kButtonSize : 0;
    const int frameTop = y + captionRow / 2 - (textHeight / 2 - 1);
    HWND frame = CreateChildWindow(L"BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0,
                                   RECT{area.left, frameTop, area.right, frameTop + textHeight}, parent, 0, font);
    if (frame == nullptr) return ResultCode::Failure();
    sectionFrames_.push_back(frame);
    // Behind the controls it frames.
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const RECT inside{area.left + ParameterGrid::kMargin, area.top, area.right, area.bottom};
    if (caption != nullptr) {
        // No wider than its text, so that the frame's line goes on beside it.
        SIZE label{};
        MeasureText(dialog_.Window(), font, caption->label, label);
        const RECT row{inside.left, area.top, inside.left + VtCheckboxControl::kButtonSize + label.cx + 4, area.bottom};
        const int captionTop = y;
        const ResultCode made = BuildRow(*caption, page, parent, row, y);
        if (made.IsFailure()) return made;
        ++index;
        // The frame's line stops at the caption, whichever paints last.
        const HRGN shape = CreateRectRgn(0, 0, Width(area), 32767);
        const HRGN gap = CreateRectRgn(row.left - area.left - 2, captionTop - frameTop, row.right - area.left + 2,
                                       captionTop - frameTop + captionRow);
        CombineRgn(shape, shape, gap, RGN_DIFF);
        DeleteObject(gap);
        SetWindowRgn(frame, shape, FALSE);
    } else {
        y += textHeight + kRowGap;
    }
    for (; index < parameters_.Count() && parameters_.At(index)->group == group; ++index) {
        const ResultCode made = BuildRow(*parameters_.At(index), page, parent, inside, y);
        if (made.IsFailure()) return made;
    }
    MoveWindow(frame, area.left, frameTop, Width(area), y - frameTop, FALSE);
    y += kRowGap;
    return ResultCode::Success();
}

ResultCode FilterDialogModel::CreateSizedControl(FilterParameter& parameter, HWND parent, const RECT& area, int top,
                                                 ParameterControl& bound, int& height) {
    // A control lays its parts out when it is made, and knows its height
    // only then: one made at another height is made again at its own.
    height = kFirstGuessHeight;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const RECT rect{area.left, top, area.right, top + height};
        const ResultCode made = CreateParameterControl(parameter, parent, rect, bound);
        if (made.IsFailure()) return made;
        const int wanted = bound.preferredHeight ? bound.preferredHeight() : height;
        if (wanted == height) return made;
        if (attempt == 1) {
            bound.control->SetRect(RECT{area.left, top, area.right, top + wanted});
            height = wanted;
            return made;
        }
        DestroyWindow(bound.window->Hwnd());
        ParameterControl fresh;
        fresh.parameter = bound.parameter;
        fresh.page = bound.page;
        bound = std::move(fresh);
        height = wanted;
    }
    return ResultCode::Success();
}

void FilterDialogModel::DestroyParameterControls() {
    // A field that loses the focus as its window goes would commit while
    // the controls before it are gone, reading nothing from them.
    HWND focus = GetFocus();
    HWND window = dialog_.Window();
    if (focus != nullptr && window != nullptr && IsWindow(window) && IsChild(window, focus)) SetFocus(window);
    tearingDown_ = true;
    for (ParameterControl& bound : controls_) {
        if (bound.parameter != nullptr) bound.parameter->control = nullptr;
        if (bound.window != nullptr && bound.window->Hwnd() != nullptr) DestroyWindow(bound.window->Hwnd());
    }
    controls_.clear();
    for (HWND frame : sectionFrames_)
        if (IsWindow(frame)) DestroyWindow(frame);
    sectionFrames_.clear();
    if (tabs_ != nullptr && tabs_->Hwnd() != nullptr) DestroyWindow(tabs_->Hwnd());
    tabs_.reset();
    tearingDown_ = false;
}

void FilterDialogModel::SetControlValues() {
    for (ParameterControl& bound : controls_) {
        if (bound.show) bound.show();
    }
}

void FilterDialogModel::GetControlValues() {
    for (ParameterControl& bound : controls_) {
        if (!bound.read) continue;
        bound.read();
        bound.parameter->Validate();
    }
}

void FilterDialogModel::UpdateControlStates() {
    Current().filter->UpdateControlStates(parameters_, *Current().block);
    for (ParameterControl& bound : controls_) bound.control->Enable(bound.parameter->enabled);
}

void FilterDialogModel::UpdateUndoRedo() {
    dialog_.EnableUndo(CanUndo());
    dialog_.EnableRedo(CanRedo());
}

bool FilterDialogModel::EffectAccepts(FilterKind kind) {
    if (kind == context_.filter->kind) return true;
    if (context_.record == nullptr || context_.run == nullptr || context_.run->selectionMask == nullptr) return false;
    return EffectAcceptsDocument(kind, *context_.record, context_.run->selectionMask->Bounds());
}

void FilterDialogModel::UpdateEffectMenu() {
    dialog_.SetEffectMenu(effectList_);
    const bool switching = HostAllowsEffectSwitching();
    int accepted = 0;
    for (const EffectEntry& entry : effectList_) {
        const bool accepts = EffectAccepts(entry.kind);
        if (accepts) ++accepted;
        dialog_.EnableEffect(entry.kind, accepts && (switching || entry.kind == CurrentKind()));
        dialog_.CheckEffect(entry.kind, entry.kind == CurrentKind());
    }
    dialog_.EnableEffectStepping(switching && accepted > 1);
}

ResultCode FilterDialogModel::OpenSession(FilterKind kind, EffectSession*& session) {
    const auto found = sessions_.find(kind);
    if (found != sessions_.end()) {
        session = found->second.get();
        return ResultCode::Success();
    }
    auto opened = std::make_unique<EffectSession>();
    opened->kind = kind;
    ResultCode result = CreateFilter(kind, opened->ownedFilter);
    if (result.IsFailure()) return result;
    opened->filter = opened->ownedFilter.get();
    if (context_.record != nullptr) ApplyDocumentFacts(*opened->filter, *context_.record);
    opened->ownedBlock = std::make_unique<ParameterBlock>();
    opened->block = opened->ownedBlock.get();
    opened->filter->WriteDefaults(*opened->block);
    opened->filter->WriteDefaults(opened->defaults);
    StartFromLastUsed(*opened);
    opened->document = context_.document;
    if (context_.documentFor) {
        result = context_.documentFor(*opened->filter, opened->document);
        if (result.IsFailure()) return result;
    }
    session = opened.get();
    sessions_[kind] = std::move(opened);
    return ResultCode::Success();
}

ResultCode FilterDialogModel::ShowEffect(EffectSession& session) {
    current_ = &session;
    parameters_.Clear();
    ResultCode result = session.filter->BuildParameters(parameters_, *session.block);
    if (result.IsSuccess()) result = BuildParameterControls();
    if (result.IsFailure()) return result;
    SetControlValues();
    UpdateControlStates();
    dialog_.SetTitle(EffectDisplayName(session.kind));
    UpdateEffectMenu();
    RefreshSettingsMenu();
    UpdateUndoRedo();
    thirdToolAvailable_ = false;
    toolbox_->ShowThirdTool(thirdToolAvailable_);
    if (preview_->Tool() == kPreviewToolEffect) SetPreviewTool(kPreviewToolPan);
    if (preview_->Document().mask != session.document.mask ||
        preview_->Document().shapeFromTransparency != session.document.shapeFromTransparency) {
        preview_->SetDocument(session.document);
    }
    preview_->SetEffect(session.filter, session.block);
    Relayout();
    return ResultCode::Success();
}

void FilterDialogModel::FocusFirstControl() {
    for (ParameterControl& bound : controls_) {
        // As Tab gives it, so that the dialog manager knows where the keys go.
        HWND stop = FirstTabStop(bound.window != nullptr ? bound.window->Hwnd() : nullptr);
        if (stop == nullptr) continue;
        SendMessageW(dialog_.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop), TRUE);
        return;
    }
}

void FilterDialogModel::ParametersChanged() {
    // A change the user made while the host answers the worker waits for
    // the answer: the worker cannot stop before it has it.
    if (dialog_.DeferUntilHostAnswered([this] { ParametersChanged(); })) return;
    ChangeParameters(nullptr);
}

void FilterDialogModel::ChangeParameters(const std::function<void(ParameterBlock&)>& change) {
    if (destroyed_ || current_ == nullptr || tearingDown_) return;
    // The worker reads the parameters: it stops before they change.
    preview_->StopWorker();
    Current().history.Record(*Current().block);
    if (change) {
        change(*Current().block);
        SetControlValues();
    } else {
        GetControlValues();
    }
    UpdateControlStates();
    preview_->MarkDirty();
    Current().history.ClearRedo();
    UpdateUndoRedo();
}

void FilterDialogModel::Undo() { StepHistory(&ParameterHistory::Undo); }

void FilterDialogModel::Redo() { StepHistory(&ParameterHistory::Redo); }

void FilterDialogModel::StepHistory(bool (ParameterHistory::*step)(ParameterBlock&)) {
    if (destroyed_ || current_ == nullptr) return;
    preview_->StopWorker();
    if (!(Current().history.*step)(*Current().block)) return;
    SetControlValues();
    UpdateControlStates();
    preview_->MarkDirty();
    UpdateUndoRedo();
}

void FilterDialogModel::ResetToDefaults() {
    ChangeParameters([this](ParameterBlock& block) { Current().filter->WriteDefaults(block); });
}

void FilterDialogModel::OK() {
    if (destroyed_ || dialog_.DeferUntilHostAnswered([this] { OK(); })) return;
    preview_->StopWorker();
    GetControlValues();
    // Another effect chosen in the dialog renders with its own parameters.
    if (Current().block != context_.block) *context_.block = *Current().block;
    archiver_.Save(*Current().filter, parameters_, LoadResourceString(SettingsArchiver::kLastUsedNameId));
    KeepOptions();
    destroyed_ = true;
    dialog_.EndOK();
}

void FilterDialogModel::Cancel() {
    if (destroyed_ || dialog_.DeferUntilHostAnswered([this] { Cancel(); })) return;
    preview_->StopWorker();
    *context_.block = openingBlock_;
    current_ = sessions_[context_.filter->kind].get();
    KeepOptions();
    destroyed_ = true;
    dialog_.EndCancel();
}

std::unique_ptr<Filter> FilterDialogModel::TakeChosenEffect() {
    if (current_ == nullptr || current_->ownedFilter == nullptr) return nullptr;
    return std::move(current_->ownedFilter);
}

const PreviewDocument& FilterDialogModel::ChosenDocument() const { return current_->document; }

ResultCode FilterDialogModel::SelectEffect(FilterKind kind) {
    if (destroyed_ || !HostAllowsEffectSwitching()) return ResultCode::Failure();
    if (kind == CurrentKind()) return ResultCode::Success();
    if (!EffectAccepts(kind)) return ResultCode::Failure();
    preview_->StopWorker();
    EffectSession* shown = current_;
    bool pageGone = false;
    ResultCode result;
    try {
        EffectSession* session = nullptr;
        result = OpenSession(kind, session);
        if (result.IsSuccess()) {
            DestroyParameterControls();
            pageGone = true;
            result = ShowEffect(*session);
        }
    } catch (const std::bad_alloc&) {
        result = ResultCode::OutOfMemory();
    }
    if (result.IsSuccess()) return result;
    // The effect shown stays, with its page; the user is told why.
    switchFailure_ = result;
    if (!pageGone) return result;
    DestroyParameterControls();
    ResultCode back;
    try {
        back = ShowEffect(*shown);
    } catch (const std::bad_alloc&) {
        back = ResultCode::OutOfMemory();
    }
    return back.IsFailure() ? back : result;
}

void FilterDialogModel::AfterEffectSwitch() {
    if (destroyed_) return;
    FocusFirstControl();
    if (switchFailure_.IsSuccess()) return;
    const ResultCode failure = switchFailure_;
    switchFailure_ = ResultCode::Success();
    ShowFailure(failure, kSwitchOutOfMemoryId, kSwitchFailedId);
}

ResultCode FilterDialogModel::NextEffect() {
    return SelectEffect(
        SteppedEffect(effectList_, CurrentKind(), 1, [this](FilterKind k) { return EffectAccepts(k); }));
}

ResultCode FilterDialogModel::PreviousEffect() {
    return SelectEffect(
        SteppedEffect(effectList_, CurrentKind(), -1, [this](FilterKind k) { return EffectAccepts(k); }));
}

void FilterDialogModel::SetViewOption(bool checked) {
    viewOptionChecked_ = checked;
    if (preview_ != nullptr) preview_->ShowEffect(checked);
}

void FilterDialogModel::SetPreviewTool(int tool) {
    if (tool == kPreviewToolEffect && !thirdToolAvailable_) return;
    preview_->SetTool(tool);
    toolbox_->CheckButton(tool);
    previewControl_->RefreshCursor();
}

void FilterDialogModel::ZoomIn() {
    if (!destroyed_) preview_->ZoomIn();
}

void FilterDialogModel::ZoomOut() {
    if (!destroyed_) preview_->ZoomOut();
}

void FilterDialogModel::ZoomCommand() {
    if (!destroyed_) preview_->ActualSize();
}

void FilterDialogModel::UpdateHelpText(POINT screenPoint) {
    if (destroyed_ || statusBar_ == nullptr) return;
    POINT point = screenPoint;
    ScreenToClient(dialog_.Window(), &point);
    std::string text;
    auto over = [&screenPoint](VtControl* control) {
        if (control == nullptr || control->Hwnd() == nullptr || !IsWindowVisible(control->Hwnd())) return false;
        RECT rect{};
        ::GetWindowRect(control->Hwnd(), &rect);
        return Contains(rect, screenPoint.x, screenPoint.y);
    };
    auto local = [&screenPoint](VtControl* control) {
        POINT inside = screenPoint;
        ScreenToClient(control->Hwnd(), &inside);
        return inside;
    };
    ResultCode ignored;
    if (over(okButton_.get())) {
        okButton_->GetHelpText(text);
    } else if (over(cancelButton_.get())) {
        cancelButton_->GetHelpText(text);
    } else if (over(previewControl_.get())) {
        const int tool = std::clamp(preview_->Tool(), kPreviewToolPan, kPreviewToolEffect);
        text = LoadResourceString(kPreviewHelpIds[tool]);
    } else if (over(statusBar_.get())) {
        text = statusBar_->ShownHelp();
        statusBar_->GetHelpText(ignored, local(statusBar_.get()), text);
    } else if (over(toolbox_.get())) {
        toolbox_->GetHelpText(ignored, local(toolbox_.get()), text);
    } else if (over(thumbnail_.get())) {
        thumbnail_->GetHelpText(text);
    } else {
        const int page = tabs_ != nullptr ? tabs_->CurrentPage() : 0;
        for (ParameterControl& bound : controls_) {
            if (bound.page != page || !over(bound.window.get())) continue;
            bound.control->GetHelpText(text);
            if (bound.compound != nullptr) bound.compound->GetHelpText(ignored, local(bound.window.get()), text);
            break;
        }
    }
    statusBar_->ShowHelp(text);
}

void FilterDialogModel::ShowFailure(const ResultCode& result, int outOfMemoryId, int otherwiseId) {
    int id = otherwiseId;
    if (result.status == ResultCode::kOutOfMemory) {
        id = outOfMemoryId;
    } else if (result.messageId != 0) {
        id = result.messageId;
    }
    SuspendedKeyboardHook quiet;
    ShowWarning(LoadResourceString(id), dialog_.Window());
}

void FilterDialogModel::PollPreview() {
    if (destroyed_ || preview_ == nullptr) return;
    const ResultCode result = preview_->Poll();
    TellPreviewBusy();
    if (result.IsFailure()) ShowFailure(result, kPreviewOutOfMemoryId, kPreviewFailedId);
}

void FilterDialogModel::TellPreviewBusy() {
    const PreviewState state = preview_->State();
    dialog_.PreviewBusy(preview_->EffectShown() && !preview_->Panning() &&
                        (state == PreviewState::Dirty || state == PreviewState::Rendering));
}

void FilterDialogModel::Relayout() {
    if (destroyed_ || okButton_ == nullptr) return;
    PlaceFixedControls();
    const SIZE view = previewControl_->ViewSize();
    preview_->Layout(view.cx, view.cy);
}

void FilterDialogModel::PlaceFixedControls() {
    if (destroyed_ || okButton_ == nullptr) return;
    const RECT client = dialog_.ClientArea();
    okButton_->SetRect(ToRECT(Region(DialogRegion::OkButton, client)));
    cancelButton_->SetRect(ToRECT(Region(DialogRegion::CancelButton, client)));
    previewControl_->SetRect(ToRECT(Region(DialogRegion::Preview, client)));
    thumbnail_->SetRect(ToRECT(Region(DialogRegion::Thumbnail, client)));
    statusBar_->Resize(client.right - client.left);
    if (tabs_ != nullptr) tabs_->SetRect(ToRECT(Region(DialogRegion::Tabs, client)));
    InvalidateRect(dialog_.Window(), nullptr, TRUE);
}

void FilterDialogModel::PreviewChanged() {
    if (previewControl_ != nullptr) previewControl_->Invalidate();
    if (thumbnail_ != nullptr) thumbnail_->Redraw();
    if (preview_ != nullptr && !destroyed_) TellPreviewBusy();
}

void FilterDialogModel::ShowProgress(double fraction) {
    if (statusBar_ != nullptr) statusBar_->SetProgress(fraction);
}

void FilterDialogModel::ShowZoom(double scale) {
    if (statusBar_ != nullptr) statusBar_->SetZoomText(ZoomPercentText(scale));
}

void FilterDialogModel::ServeWorker() {
    // The worker may wait for a host call that only this thread can make.
    MSG message{};
    if (PeekMessageW(&message, nullptr, 0x8000, 0x8014, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Sleep(0);
}

std::string FilterDialogModel::CommandLine() {
    if (current_ == nullptr) return std::string();
    return ApplyCommandLine(Current().filter->InternalName(), parameters_);
}
