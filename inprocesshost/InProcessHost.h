// A real, small host of the Photoshop-format filter plug-in interface that
// runs a plug-in inside this process: it holds an 8-bit document (grey, RGB,
// CMYK or Lab; flat, or a layer with transparency), an optional selection,
// the user's colours and preferences, fills a filter record with working
// callbacks, and drives the selectors through the plug-in's entry the way a
// host does. The command-line host applies effects with it; tests use it to
// watch what the plug-in asks of its host, and to take services away (hosts
// differ: some leave suites out, some leave a suite's procedures null).
//
// Setup is fluent:
//   InProcessHost host;
//   host.SetImage(HostImage(HostImageMode::Rgb, 64, 48, false)).SelectRect(Rect(8, 8, 40, 56));
//   RunOutcome outcome = host.RunFilter(FilterKinds::Edge);
//
// The plug-in's callbacks carry no context: they reach the newest host that
// is alive (ActiveHost.h). Create one host at a time, on the thread that
// calls the plug-in.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "base/Rect.h"
#include "inprocesshost/ColourConversion.h"
#include "inprocesshost/DescriptorStore.h"
#include "inprocesshost/HostBufferTable.h"
#include "inprocesshost/HostDescriptorSuite.h"
#include "inprocesshost/HostHandleTable.h"
#include "inprocesshost/HostImage.h"
#include "inprocesshost/HostPixelExchange.h"
#include "pluginapi/CoreEntry.h"
#include "pluginapi/PluginInterface.h"

// Callbacks and suites that the host can leave out of the record (null).
enum class HostCallback {
    Abort,
    Progress,
    Handles,
    Buffers,
    DisplayPixels,
    AdvanceState,
    ColourServices,
    Properties,
    Descriptors,  // the whole descriptor parameters record
    PlatformData,
};

// Suites that the host can leave in the record with a plausible version and
// count but every procedure null, as some hosts do.
enum class HostSuite { Handles, Buffers, Properties, ReadDescriptors, WriteDescriptors };

// How the property suite answers.
enum class PropertyAnswer {
    Complex,  // the version as a new handle: major, minor and fix as big-endian 32-bit numbers
    Simple,   // the version packed: major in bits 16..23, minor in bits 8..15, fix in bits 0..7
    Nothing,  // every get answers success without writing anything, as one public host does
};

struct HostVersionNumber {
    int32_t major = 7;
    int32_t minor = 0;
    int32_t fix = 0;
};

struct ProgressCall {
    int32_t done = 0;
    int32_t total = 0;
};

// The entry the host calls: the core's, or a module's wrapped to look alike.
using PluginEntry = std::function<CoreEntryFunction>;

struct RunOptions {
    // Send the parameters selector first, as a host does when the user picks
    // the filter from its menu (rather than repeating the last filter).
    bool parametersSelector = false;
    // Keep a copy of the image to put back when the run fails, as a host
    // reverts the document. A caller that drops the image on failure saves
    // the copy's memory.
    bool revertOnFailure = true;
};

inline constexpr int16_t kNoSelector = -1;

struct RunOutcome {
    int16_t result = 0;              // 0, or the failing step's code
    int16_t selector = kNoSelector;  // the selector that failed; kNoSelector when the host refused to start
    std::string errorText;           // the plug-in's error string (errReportString), or the host's reason

    bool Succeeded() const { return result == 0; }
};

class InProcessHost {
public:
    InProcessHost();
    ~InProcessHost();
    InProcessHost(const InProcessHost&) = delete;
    InProcessHost& operator=(const InProcessHost&) = delete;

    // --- The document ---------------------------------------------------------
    InProcessHost& SetImage(HostImage image);
    // One byte per pixel of the image, 255 selected; empty clears the
    // selection. A mask of another size is ignored (and clears the selection).
    InProcessHost& SetSelection(std::vector<uint8_t> mask);
    // Selects `area` (clipped to the image) fully.
    InProcessHost& SelectRect(const Rect& area);
    InProcessHost& ClearSelection();
    InProcessHost& SetFloatingSelection(bool floating);
    InProcessHost& SetTransparencyProtected(bool isProtected);
    // Pixels per inch in both directions (0 is sent as 0: "unknown").
    InProcessHost& SetResolution(double pixelsPerInch);
    // The user's foreground and background colours, 8-bit RGB.
    InProcessHost& SetColours(std::array<uint8_t, 3> foreground, std::array<uint8_t, 3> background);

    // --- The user and the host's preferences ---------------------------------
    InProcessHost& SetVersion(HostVersionNumber version, PropertyAnswer answer = PropertyAnswer::Complex);
    // The raw value the property suite reports for 'rulr'.
    InProcessHost& SetRulerUnits(intptr_t units);
    // plugInDialogDontDisplay, plugInDialogDisplay or plugInDialogSilent.
    InProcessHost& SetPlayMode(int16_t playInfo);
    // Handed to the plug-in as its scripting descriptor at the start of every
    // run (a recorded action being played); nothing clears it.
    InProcessHost& SetPlayDescriptor(std::optional<DescriptorStore> descriptor);
    // The colour the user picks when the plug-in asks for one; nothing: the
    // user cancels the picker.
    InProcessHost& SetUserColourChoice(std::optional<HostColour> choice);
    // The abort test answers "abort" from call `calls` + 1 on; negative never.
    InProcessHost& AbortAfterCalls(int64_t calls);
    // Asked at every abort test as well: the user's wish to stop.
    InProcessHost& SetAbortQuestion(std::function<bool()> question);
    // Extra bytes at the end of every row the host delivers.
    InProcessHost& SetRowPadding(int32_t bytes);
    InProcessHost& SetBufferSpace(int32_t bytes);

    // --- Missing services ---------------------------------------------------------
    InProcessHost& Without(HostCallback callback);
    InProcessHost& WithNullProcs(HostSuite suite);
    // The suite structures the record points at, for tests that take away a
    // single procedure. Changes stay until the host is destroyed.
    ps::HandleProcs& HandleSuite() { return handleProcs_; }
    ps::BufferProcs& BufferSuite() { return bufferProcs_; }
    ps::PropertyProcs& PropertySuite() { return propertyProcs_; }
    ps::ReadDescriptorProcs& ReadDescriptorSuite() { return readProcs_; }
    ps::WriteDescriptorProcs& WriteDescriptorSuite() { return writeProcs_; }

    // The plug-in entry; Photoshop_Entry_Point unless replaced.
    InProcessHost& SetEntry(PluginEntry entry);
    // Receives every progress call as it happens.
    InProcessHost& SetProgressObserver(std::function<void(int32_t done, int32_t total)> observer);

    // --- Driving the plug-in ---------------------------------------------------
    // One whole run: [parameters,] prepare, start, continue while a request
    // rectangle is set, finish (after a start that succeeded). The data slot
    // and the parameters handle of `kind` are kept from run to run. A failed
    // run leaves the image as it was.
    RunOutcome RunFilter(FilterKind kind, const RunOptions& options = RunOptions());
    // The about selector, with an about record whose parent window is null.
    int16_t RunAbout(FilterKind kind);
    // The affected-area query: `affected` receives the output rectangle.
    int16_t QueryAffectedArea(FilterKind kind, const Rect& input, Rect& affected);
    // One raw call of the entry with the filter record, `kind`'s data slot
    // and its parameters handle, for tests that drive their own sequences.
    int16_t CallSelector(FilterKind kind, int16_t selector);

    // --- What the host saw ---------------------------------------------------------
    const HostImage& Image() const { return image_; }
    // Hands the image over, leaving the host without one.
    HostImage TakeImage();
    const std::vector<uint8_t>& Selection() const { return selection_; }
    ps::FilterRecord& Record() { return record_; }
    intptr_t DataSlot(FilterKind kind) const;
    ps::Handle ParametersHandle(FilterKind kind) const;
    // The descriptor the plug-in wrote in the last run (taken from the record
    // after finish), if it wrote one.
    const std::optional<DescriptorStore>& RecordedDescriptor() const { return recorded_; }
    // Makes the recorded descriptor the play descriptor: the next runs replay it.
    InProcessHost& ReplayRecordedDescriptor();

    HandleStats HandleCounts() const { return handles_.Stats(); }
    // Live handles other than the ones the host keeps for the plug-ins (their
    // parameters handles): what a plug-in leaked.
    int64_t LeakedHandles() const;
    BufferStats BufferCounts() const { return buffers_.Stats(); }
    int64_t OpenDescriptors() const { return descriptors_.OpenCount(); }
    // Progress calls of the current or last run.
    const std::vector<ProgressCall>& ProgressCalls() const { return progress_; }
    int64_t AbortCalls() const { return abortCalls_; }
    int64_t AdvanceStateCalls() const { return advanceStateCalls_; }
    int64_t DisplayPixelsCalls() const { return displayPixelsCalls_; }
    // Every value the plug-in set for 'wtch', in order.
    const std::vector<intptr_t>& WatchSuspensions() const { return watchSuspensions_; }
    // Every selector sent, in order, across runs.
    const std::vector<int16_t>& SelectorLog() const { return selectorLog_; }

    // --- The services behind the callbacks ----------------------------------------
    HostHandleTable& Handles() { return handles_; }
    HostBufferTable& Buffers() { return buffers_; }
    HostDescriptorSuite& Descriptors() { return descriptors_; }
    // Writes back the output delivered last, then delivers the requested
    // rectangles and planes.
    ps::OSErr AdvanceState();
    bool TestAbort();
    void UpdateProgress(int32_t done, int32_t total);
    ps::OSErr DisplayPixels(const ps::PSPixelMap* source, const ps::VRect* sourceRect);
    ps::OSErr GetProperty(ps::PIType signature, ps::PIType key, int32_t index, intptr_t* simple, ps::Handle* complex);
    ps::OSErr SetProperty(ps::PIType signature, ps::PIType key, int32_t index, intptr_t simple, ps::Handle complex);
    ps::OSErr ColourServices(ps::ColorServicesInfo* info);

private:
    struct PluginState {
        intptr_t data = 0;
        ps::Handle parameters = nullptr;
    };

    // Record fields that follow the document and the settings.
    void FillPropertyProcs();
    static ps::ColorServicesProc ColourServicesProc();
    int32_t OutputPlanes() const;
    void ApplyDocumentToRecord();
    void ApplyCallbacksToRecord();
    void ApplyColoursToRecord();
    void ClearRequestFields();
    int16_t FilterCase() const;
    Rect SelectionBounds() const;

    bool BeginRun(RunOutcome& outcome, const RunOptions& options);
    void EndRun(bool succeeded);
    // After start: continue for as long as a rectangle is requested.
    void ContinueWhileRequested(FilterKind kind, RunOutcome& outcome);
    void Fail(RunOutcome& outcome, int16_t selector, int16_t result);
    void HandInPlayDescriptor();
    void TakeDescriptorBack();

    ps::OSErr SampleColour(ps::ColorServicesInfo& info);
    ps::OSErr SpecialColour(ps::ColorServicesInfo& info);
    HostColour ColourFromImage(int32_t x, int32_t y) const;

    HostHandleTable handles_;
    HostBufferTable buffers_;
    HostDescriptorSuite descriptors_;
    HostPixelExchange exchange_;

    HostImage image_;
    std::vector<uint8_t> selection_;
    bool floating_ = false;
    bool transparencyProtected_ = false;
    double pixelsPerInch_ = 72.0;
    std::array<uint8_t, 3> foreground_{{0, 0, 0}};
    std::array<uint8_t, 3> background_{{255, 255, 255}};

    HostVersionNumber version_;
    PropertyAnswer propertyAnswer_ = PropertyAnswer::Complex;
    intptr_t rulerUnits_ = 0;
    int16_t playInfo_ = ps::plugInDialogDontDisplay;
    std::optional<DescriptorStore> playDescriptor_;
    std::optional<DescriptorStore> recorded_;
    ps::Handle handedInDescriptor_ = nullptr;
    std::optional<HostColour> userColour_;
    int64_t abortAfter_ = -1;
    std::function<bool()> abortQuestion_;

    std::set<HostCallback> omitted_;
    std::set<HostSuite> nulled_;
    PluginEntry entry_;
    std::function<void(int32_t, int32_t)> progressObserver_;
    std::map<FilterKind, PluginState> plugins_;  // any kind, also one the plug-in refuses

    std::vector<ProgressCall> progress_;
    int64_t abortCalls_ = 0;
    int64_t advanceStateCalls_ = 0;
    int64_t displayPixelsCalls_ = 0;
    std::vector<intptr_t> watchSuspensions_;
    std::vector<int16_t> selectorLog_;
    HostImage imageBeforeRun_;
    bool revertOnFailure_ = true;

    ps::FilterRecord record_{};
    ps::HandleProcs handleProcs_{};
    ps::BufferProcs bufferProcs_{};
    ps::PropertyProcs propertyProcs_{};
    ps::ReadDescriptorProcs readProcs_{};
    ps::WriteDescriptorProcs writeProcs_{};
    ps::PIDescriptorParameters descriptorParameters_{};
    ps::PlatformData platformData_{};
    ps::Str255 errorString_{};
};
