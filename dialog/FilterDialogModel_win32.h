// FilterDialogModel: the logic behind the filter dialog. It builds one
// control per parameter of the effect (on tab pages when the effect has
// several), moves values between the controls and the parameter block,
// keeps undo and redo history, drives the live preview, switches between
// the effects of the family and ends the dialog on OK or Cancel. The window
// (menus, layout, keys, timer) is FilterDialog, which the model knows only
// as IFilterDialog.
//
// Everything runs on the host's thread; the preview's worker is the only
// other thread, and the model stops it before it touches the effect or its
// parameters.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/EventNotifySink.h"
#include "controls/IControl.h"
#include "controls/UserPrompts.h"
#include "dialog/EffectList.h"
#include "dialog/HostColourSource_win32.h"
#include "dialog/IFilterDialog_win32.h"
#include "dialog/ParameterHistory.h"
#include "dialog/PreviewModel.h"
#include "dialog/SettingsLibrary_win32.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "platform/WinApi.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/SettingsFolders.h"

class Filter;
class FilterParameter;
class PreviewModelSource;
class VtButtonControl;
class VtControl;
class VtPreviewControl;
class VtStatusBarControl;
class VtTabControl;
class VtThumbnailControl;
class VtToolboxControl;
struct RunRecord;

// What the dialog runner hands the model.
struct FilterDialogContext {
    ps::FilterRecord* record = nullptr;
    RunRecord* run = nullptr;
    // The run's effect and the host's parameters of it, edited in place.
    Filter* filter = nullptr;
    ParameterBlock* block = nullptr;
    // The document as the preview renders it.
    PreviewDocument document;
    // The document as another effect works on it (its selection may come
    // from the layer's transparency where the run's does not); -1 when it
    // cannot be had, and the switch is refused.
    std::function<ResultCode(const Filter& effect, PreviewDocument& document)> documentFor;
    // Where named settings, the dialog's options and the libraries live;
    // null: the running plug-in's folders.
    const ISettingsFolders* settingsFolders = nullptr;
};

// One parameter's control.
struct ParameterControl {
    FilterParameter* parameter = nullptr;
    std::unique_ptr<VtControl> window;
    IControl* control = nullptr;
    ICompoundControl* compound = nullptr;  // null unless the control has several hot areas
    int page = 0;
    // The height the control asks for at its width.
    std::function<int()> preferredHeight;
    // The parameter's value into the control, and back.
    std::function<void()> show;
    std::function<void()> read;
};

class FilterDialogModel : public IPreviewViews {
public:
    // Control ids of the fixed controls.
    static constexpr int kOkId = 1000;
    static constexpr int kCancelId = 1001;
    static constexpr int kPreviewId = 1004;
    static constexpr int kThumbnailId = 1006;
    static constexpr int kStatusBarId = 1008;
    static constexpr int kTabsId = 1009;

    FilterDialogModel(IFilterDialog& dialog, FilterDialogContext& context);
    virtual ~FilterDialogModel();
    FilterDialogModel(const FilterDialogModel&) = delete;
    FilterDialogModel& operator=(const FilterDialogModel&) = delete;

    // Builds the fixed controls and the effect's, fills the menus and lays
    // out the preview. A failure has been shown (string 10900); the dialog
    // ends with it.
    ResultCode Initialize();

    // A control committed a change.
    void ParametersChanged();
    void OK();
    void Cancel();
    // -1 when the host does not allow switching, the effect does not accept
    // the image or cannot be made. An effect whose page cannot be built
    // leaves the dialog on the effect it showed, with its page.
    ResultCode SelectEffect(FilterKind kind);
    // Once the window shows again after a switch: the first control takes
    // the keys, and the user is told why a switch was refused.
    void AfterEffectSwitch();
    ResultCode NextEffect();
    ResultCode PreviousEffect();
    void Undo();
    void Redo();
    void ResetToDefaults();
    // Named settings: the user's (`fromUser`) or the factory's.
    void LoadSetting(const std::string& name, bool fromUser);
    void RestoreLastUsed();
    void SaveSettings();
    void ManageSettings();
    void SetViewOption(bool checked);
    void SetPreviewTool(int tool);
    void ZoomIn();
    void ZoomOut();
    void ZoomCommand();
    // The cursor's screen point: the help of what lies under it.
    void UpdateHelpText(POINT screenPoint);
    // The timer tick.
    void PollPreview();
    // Moves the fixed controls to their places for the dialog's size and
    // frames the preview anew.
    void Relayout();
    // Only moves the controls (while the user drags the window's frame).
    void PlaceFixedControls();
    // The current parameters as a dapple command line.
    std::string CommandLine();

    // After OK: the effect chosen in the dialog when it is another than the
    // run's own (its parameters are in the host's block); null otherwise.
    std::unique_ptr<Filter> TakeChosenEffect();
    // The document the chosen effect works on.
    const PreviewDocument& ChosenDocument() const;

    FilterKind CurrentKind() const;
    Filter& CurrentEffect();
    ParameterBlock& CurrentBlock();
    ParameterSet& Parameters() { return parameters_; }
    const std::vector<ParameterControl>& Controls() const { return controls_; }
    PreviewModel* Preview() { return preview_.get(); }
    VtPreviewControl* PreviewControl() { return previewControl_.get(); }
    VtThumbnailControl* Thumbnail() { return thumbnail_.get(); }
    VtToolboxControl* Toolbox() { return toolbox_.get(); }
    VtStatusBarControl* StatusBar() { return statusBar_.get(); }
    VtTabControl* Tabs() { return tabs_.get(); }
    VtButtonControl* OkButton() { return okButton_.get(); }
    VtButtonControl* CancelButton() { return cancelButton_.get(); }
    bool CanUndo();
    bool CanRedo();
    bool ViewOptionChecked() const { return viewOptionChecked_; }
    bool Destroyed() const { return destroyed_; }

    // IPreviewViews
    void PreviewChanged() override;
    void ShowProgress(double fraction) override;
    void ShowZoom(double scale) override;
    void ServeWorker() override;

protected:
    // The extension point for a parameter kind the base does not know:
    // makes its control in `parent` over `rect` (the height is the base's
    // guess; a control that asks for another height is made again) and
    // fills `bound`. A kind the model does not know either gets no control
    // (success with `bound` left empty), and keeps its value.
    virtual ResultCode CreateExtensionControl(FilterParameter& parameter, HWND parent, const RECT& rect,
                                              ParameterControl& bound);

    IFilterDialog& Dialog() { return dialog_; }
    IUserPrompts& Prompts() { return prompts_; }
    FilterDialogContext& Context() { return context_; }
    EventNotifySink* ParametersChangedSink() { return &parametersChangedSink_; }
    // The effect's defaults, for the controls that mark them.
    const ParameterBlock& Defaults();

private:
    // The effect the dialog shows and its state.
    struct EffectSession {
        FilterKind kind = FilterKinds::None;
        std::unique_ptr<Filter> ownedFilter;  // null for the run's own effect
        Filter* filter = nullptr;
        std::unique_ptr<ParameterBlock> ownedBlock;  // null for the run's own effect
        ParameterBlock* block = nullptr;
        ParameterBlock defaults{};
        PreviewDocument document;
        ParameterHistory history;
    };

    ResultCode CreateFixedControls();
    ResultCode BuildParameterControls();
    // Frames the parameters of `group` that follow on a page of another
    // group, from the one at `first` on: a leading checkbox is the frame's
    // caption. `y` is the page's next row, and moves below the frame.
    ResultCode BuildSection(std::size_t& index, int page, HWND parent, const RECT& area, int& y);
    // One parameter's control at row `y` of `area`, which `y` passes.
    ResultCode BuildRow(FilterParameter& parameter, int page, HWND parent, const RECT& area, int& y);
    // Makes the parameter's control at `top` of `area` at the height it
    // asks for, which `height` receives.
    ResultCode CreateSizedControl(FilterParameter& parameter, HWND parent, const RECT& area, int top,
                                  ParameterControl& bound, int& height);
    static constexpr int kFirstGuessHeight = 24;
    ResultCode CreateParameterControl(FilterParameter& parameter, HWND parent, const RECT& rect,
                                      ParameterControl& bound);
    // Takes what was typed into a field first, while every control stands;
    // nothing the controls say while they go is heard.
    void DestroyParameterControls();
    void SetControlValues();
    void GetControlValues();
    void UpdateControlStates();
    void UpdateUndoRedo();
    // Undo or redo: the history's step, then the controls and the preview.
    void StepHistory(bool (ParameterHistory::*step)(ParameterBlock&));
    void UpdateEffectMenu();
    bool EffectAccepts(FilterKind kind);
    ResultCode OpenSession(FilterKind kind, EffectSession*& session);
    ResultCode ShowEffect(EffectSession& session);
    void FocusFirstControl();
    // The settings menu's two lists, and whether there are last used ones.
    void RefreshSettingsMenu();
    // The named setting read into a copy of the current block; -1 when it
    // cannot be read.
    ResultCode ReadSetting(const std::string& name, bool fromUser, ParameterBlock& block);
    // Every change of the parameters goes this way, as one step of the
    // history: `change` alters the block and the controls show the result,
    // or (null) the block takes the controls' values. Nothing while no
    // effect is shown or after the dialog ended.
    void ChangeParameters(const std::function<void(ParameterBlock&)>& change);
    // The dialog's window and view option, kept between runs.
    void RestoreOptions();
    void KeepOptions();
    // The effect's last used settings into its block, where there are any.
    void StartFromLastUsed(EffectSession& session);
    // The failure's own message, else `outOfMemoryId` or `otherwiseId`.
    void ShowFailure(const ResultCode& result, int outOfMemoryId, int otherwiseId);
    void TellPreviewBusy();
    void Release();
    EffectSession& Current() { return *current_; }

    IFilterDialog& dialog_;
    FilterDialogContext& context_;
    std::vector<EffectEntry> effectList_;
    std::map<FilterKind, std::unique_ptr<EffectSession>> sessions_;
    EffectSession* current_ = nullptr;
    ParameterBlock openingBlock_{};  // the host's block as the dialog opened
    ParameterSet parameters_;
    std::vector<ParameterControl> controls_;
    MemberNotifySink<FilterDialogModel, &FilterDialogModel::ParametersChanged> parametersChangedSink_{this};
    MemberNotifySink<FilterDialogModel, &FilterDialogModel::OK> okSink_{this};
    MemberNotifySink<FilterDialogModel, &FilterDialogModel::Cancel> cancelSink_{this};
    MemberNotifySink<FilterDialogModel, &FilterDialogModel::Relayout> resizeSink_{this};
    std::unique_ptr<PreviewModel> preview_;
    // The preview model as the preview's controls see it.
    std::unique_ptr<PreviewModelSource> previewSource_;
    std::unique_ptr<VtPreviewControl> previewControl_;
    std::unique_ptr<VtThumbnailControl> thumbnail_;
    std::unique_ptr<VtToolboxControl> toolbox_;
    std::unique_ptr<VtButtonControl> okButton_;
    std::unique_ptr<VtButtonControl> cancelButton_;
    std::unique_ptr<VtStatusBarControl> statusBar_;
    std::unique_ptr<VtTabControl> tabs_;
    std::vector<HWND> sectionFrames_;
    HostColourSource colours_;
    RunningSettingsFolders runningFolders_;
    const ISettingsFolders& folders_;
    DappleSettingsArchiver archiver_;
    GradientSettingsLibrary gradients_;
    BevelSettingsLibrary bevels_;
    WindowsUserPrompts prompts_;
    bool viewOptionChecked_ = true;
    bool thirdToolAvailable_ = false;
    bool destroyed_ = false;
    bool tearingDown_ = false;  // the parameter controls are being destroyed
    ResultCode switchFailure_;  // why the last switch was refused, until told
};
