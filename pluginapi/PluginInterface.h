// The Photoshop filter plug-in interface: the records a host hands a filter
// and the callback suites inside them, laid out field for field as hosts
// expect them so that the modules are binary-compatible with real hosts.
//
// Everything lives in namespace ps; the interface's 16-bit rectangle and point
// are Rect16 and Point16 here (the core has its own Rect and Point).
//
// Layout rules:
// * Callbacks use the C calling convention (PS_CALLBACK spells it out for
//   32-bit Windows, where a different default could be set by a compiler flag).
// * On Windows the filter record is packed to 4 bytes, as hosts build it: on
//   64-bit Windows its pointers sit on 4-byte offsets. Every other record uses
//   natural alignment. Other systems use natural alignment throughout.
// * No `long`: it is 32 bits on 64-bit Windows and 64 bits on 64-bit Linux.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define PS_CALLBACK __cdecl
#else
#define PS_CALLBACK
#endif

namespace ps {

// --- Basic types --------------------------------------------------------------

typedef int16_t OSErr;
typedef uint32_t OSType;
typedef uint32_t ResType;
typedef uint32_t PIType;
typedef int32_t Fixed;  // 16.16 fixed point
typedef uint8_t Boolean;
typedef char* Ptr;
typedef unsigned char Str255[256];  // length byte, then up to 255 characters

// Memory the host allocates and moves; only its handle procs may look inside.
struct OpaqueHandle;
typedef OpaqueHandle* Handle;

struct OpaqueBuffer;
typedef OpaqueBuffer* BufferID;

inline constexpr Fixed kFixedOne = 0x10000;

// A four-character code as one 32-bit number, first character in the most
// significant byte: FourCC("Path") == 0x50617468.
constexpr uint32_t FourCC(const char (&s)[5]) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(s[0])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(s[1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(s[2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(s[3]));
}

struct Point16 {
    int16_t v;
    int16_t h;
};

struct Rect16 {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

struct VPoint {
    int32_t v;
    int32_t h;
};

struct VRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

struct RGBColor {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

typedef uint8_t FilterColor[4];  // colour in the image's own mode, one byte per plane

// --- Result codes -------------------------------------------------------------

inline constexpr OSErr noErr = 0;
inline constexpr OSErr coercedParamErr = 2;  // a pinned read moved the value into range
inline constexpr OSErr readErr = -19;
inline constexpr OSErr writErr = -20;
inline constexpr OSErr openErr = -23;
inline constexpr OSErr dskFulErr = -34;
inline constexpr OSErr ioErr = -36;
inline constexpr OSErr eofErr = -39;
inline constexpr OSErr fnfErr = -43;
inline constexpr OSErr paramErr = -50;
inline constexpr OSErr memFullErr = -108;
inline constexpr OSErr nilHandleErr = -109;
inline constexpr OSErr userCanceledErr = -128;
inline constexpr OSErr errMissingParameter = -1715;
inline constexpr OSErr filterBadParameters = -30100;
inline constexpr OSErr filterBadMode = -30101;
inline constexpr OSErr errPlugInHostInsufficient = -30900;
inline constexpr OSErr errPlugInPropertyUndefined = -30901;
inline constexpr OSErr errHostDoesNotSupportColStep = -30902;
inline constexpr OSErr errInvalidSamplePoint = -30903;
inline constexpr OSErr errReportString = -30904;
inline constexpr OSErr errHostVersionIncompatible = -30905;
inline constexpr OSErr errUnknownPort = -30910;
inline constexpr OSErr errUnsupportedRowBits = -30911;
inline constexpr OSErr errUnsupportedColBits = -30912;
inline constexpr OSErr errUnsupportedBitOffset = -30913;
inline constexpr OSErr errUnsupportedDepth = -30914;
inline constexpr OSErr errUnsupportedDepthConversion = -30915;

// --- Selectors, filter cases, image modes -------------------------------------

inline constexpr int16_t filterSelectorAbout = 0;
inline constexpr int16_t filterSelectorParameters = 1;
inline constexpr int16_t filterSelectorPrepare = 2;
inline constexpr int16_t filterSelectorStart = 3;
inline constexpr int16_t filterSelectorContinue = 4;
inline constexpr int16_t filterSelectorFinish = 5;

inline constexpr int16_t filterCaseUnsupported = -1;
inline constexpr int16_t filterCaseFlatImageNoSelection = 1;
inline constexpr int16_t filterCaseFlatImageWithSelection = 2;
inline constexpr int16_t filterCaseFloatingSelection = 3;
inline constexpr int16_t filterCaseEditableTransparencyNoSelection = 4;
inline constexpr int16_t filterCaseEditableTransparencyWithSelection = 5;
inline constexpr int16_t filterCaseProtectedTransparencyNoSelection = 6;
inline constexpr int16_t filterCaseProtectedTransparencyWithSelection = 7;

inline constexpr int16_t plugInModeBitmap = 0;
inline constexpr int16_t plugInModeGrayScale = 1;
inline constexpr int16_t plugInModeIndexedColor = 2;
inline constexpr int16_t plugInModeRGBColor = 3;
inline constexpr int16_t plugInModeCMYKColor = 4;
inline constexpr int16_t plugInModeHSLColor = 5;
inline constexpr int16_t plugInModeHSBColor = 6;
inline constexpr int16_t plugInModeMultichannel = 7;
inline constexpr int16_t plugInModeDuotone = 8;
inline constexpr int16_t plugInModeLabColor = 9;
inline constexpr int16_t plugInModeGray16 = 10;
inline constexpr int16_t plugInModeRGB48 = 11;
inline constexpr int16_t plugInModeLab48 = 12;
inline constexpr int16_t plugInModeCMYK64 = 13;
inline constexpr int16_t plugInModeDeepMultichannel = 14;
inline constexpr int16_t plugInModeDuotone16 = 15;

inline constexpr OSType kPhotoshopSignature = FourCC("8BIM");

// --- Simple callbacks ---------------------------------------------------------

typedef Boolean(PS_CALLBACK* TestAbortProc)(void);
typedef void(PS_CALLBACK* ProgressProc)(int32_t done, int32_t total);
typedef void(PS_CALLBACK* HostProc)(int16_t selector, intptr_t* data);
typedef void(PS_CALLBACK* ProcessEventProc)(void* event);
typedef OSErr(PS_CALLBACK* AdvanceStateProc)(void);

// The entry every plug-in module exports to its host.
typedef void(PS_CALLBACK* PluginMainProc)(int16_t selector, void* paramBlock, intptr_t* data, int16_t* result);

// --- Handle suite -------------------------------------------------------------

typedef Handle(PS_CALLBACK* NewPIHandleProc)(int32_t size);
typedef void(PS_CALLBACK* DisposePIHandleProc)(Handle h);
typedef int32_t(PS_CALLBACK* GetPIHandleSizeProc)(Handle h);
typedef OSErr(PS_CALLBACK* SetPIHandleSizeProc)(Handle h, int32_t newSize);
typedef Ptr(PS_CALLBACK* LockPIHandleProc)(Handle h, Boolean moveHigh);
typedef void(PS_CALLBACK* UnlockPIHandleProc)(Handle h);
typedef void(PS_CALLBACK* RecoverSpaceProc)(int32_t size);
typedef void(PS_CALLBACK* DisposeRegularHandleProc)(Handle h);

struct HandleProcs {
    int16_t handleProcsVersion;
    int16_t numHandleProcs;
    NewPIHandleProc newProc;
    DisposePIHandleProc disposeProc;
    GetPIHandleSizeProc getSizeProc;
    SetPIHandleSizeProc setSizeProc;
    LockPIHandleProc lockProc;
    UnlockPIHandleProc unlockProc;
    RecoverSpaceProc recoverSpaceProc;
    DisposeRegularHandleProc disposeRegularHandleProc;
};

inline constexpr int16_t kCurrentHandleProcsVersion = 1;
inline constexpr int16_t kCurrentHandleProcsCount = 8;

// --- Buffer suite -------------------------------------------------------------

typedef OSErr(PS_CALLBACK* AllocateBufferProc)(int32_t size, BufferID* bufferID);
typedef Ptr(PS_CALLBACK* LockBufferProc)(BufferID bufferID, Boolean moveHigh);
typedef void(PS_CALLBACK* UnlockBufferProc)(BufferID bufferID);
typedef void(PS_CALLBACK* FreeBufferProc)(BufferID bufferID);
typedef int32_t(PS_CALLBACK* BufferSpaceProc)(void);

struct BufferProcs {
    int16_t bufferProcsVersion;
    int16_t numBufferProcs;
    AllocateBufferProc allocateProc;
    LockBufferProc lockProc;
    UnlockBufferProc unlockProc;
    FreeBufferProc freeProc;
    BufferSpaceProc spaceProc;
};

inline constexpr int16_t kCurrentBufferProcsVersion = 2;
inline constexpr int16_t kCurrentBufferProcsCount = 5;

// --- Resource suite -----------------------------------------------------------

typedef int16_t(PS_CALLBACK* CountPIResourcesProc)(ResType type);
typedef Handle(PS_CALLBACK* GetPIResourceProc)(ResType type, int16_t index);
typedef void(PS_CALLBACK* DeletePIResourceProc)(ResType type, int16_t index);
typedef OSErr(PS_CALLBACK* AddPIResourceProc)(ResType type, Handle data);

struct ResourceProcs {
    int16_t resourceProcsVersion;
    int16_t numResourceProcs;
    CountPIResourcesProc countProc;
    GetPIResourceProc getProc;
    DeletePIResourceProc deleteProc;
    AddPIResourceProc addProc;
};

inline constexpr int16_t kCurrentResourceProcsVersion = 3;
inline constexpr int16_t kCurrentResourceProcsCount = 4;

// --- Property suite -----------------------------------------------------------

// A simple answer comes back in `simpleProperty`; a complex one as a new
// handle in `complexProperty`, which the caller disposes of.
typedef OSErr(PS_CALLBACK* GetPropertyProc)(PIType signature, PIType key, int32_t index, intptr_t* simpleProperty,
                                            Handle* complexProperty);
typedef OSErr(PS_CALLBACK* SetPropertyProc)(PIType signature, PIType key, int32_t index, intptr_t simpleProperty,
                                            Handle complexProperty);

struct PropertyProcs {
    int16_t propertyProcsVersion;
    int16_t numPropertyProcs;
    GetPropertyProc getPropertyProc;
    SetPropertyProc setPropertyProc;
};

inline constexpr int16_t kCurrentPropertyProcsVersion = 1;
inline constexpr int16_t kCurrentPropertyProcsCount = 2;

inline constexpr PIType propVersion = FourCC("vers");          // host version
inline constexpr PIType propRulerUnits = FourCC("rulr");       // the user's ruler units
inline constexpr PIType propWatchSuspension = FourCC("wtch");  // busy cursor suspension count

// --- Colour services ----------------------------------------------------------

inline constexpr int16_t plugIncolorServicesChooseColor = 0;
inline constexpr int16_t plugIncolorServicesConvertColor = 1;
inline constexpr int16_t plugIncolorServicesSamplePoint = 2;
inline constexpr int16_t plugIncolorServicesGetSpecialColor = 3;

inline constexpr int16_t plugIncolorServicesChosenSpace = -1;  // result space: whichever the user picked
inline constexpr int16_t plugIncolorServicesRGBSpace = 0;
inline constexpr int16_t plugIncolorServicesHSBSpace = 1;
inline constexpr int16_t plugIncolorServicesCMYKSpace = 2;
inline constexpr int16_t plugIncolorServicesLabSpace = 3;
inline constexpr int16_t plugIncolorServicesGraySpace = 4;
inline constexpr int16_t plugIncolorServicesHSLSpace = 5;
inline constexpr int16_t plugIncolorServicesXYZSpace = 6;

inline constexpr int32_t plugIncolorServicesForegroundColor = 0;
inline constexpr int32_t plugIncolorServicesBackgroundColor = 1;

struct ColorServicesInfo {
    int32_t infoSize;  // sizeof(ColorServicesInfo): the host reads it as a version
    int16_t selector;
    int16_t sourceSpace;
    int16_t resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;  // must be null
    void* reservedResultSpaceInfo;  // must be null
    int16_t colorComponents[4];
    void* reserved;  // must be null
    union {
        Str255* pickerPrompt;
        Point16* globalSamplePoint;
        int32_t specialColorID;
    } selectorParameter;
};

typedef OSErr(PS_CALLBACK* ColorServicesProc)(ColorServicesInfo* info);

// --- Display pixels -----------------------------------------------------------

inline constexpr int32_t kSimplePSMask = 0;
inline constexpr int32_t kBlackMatPSMask = 1;
inline constexpr int32_t kGrayMatPSMask = 2;
inline constexpr int32_t kWhiteMatPSMask = 3;
inline constexpr int32_t kInvertPSMask = 4;

struct PSPixelMask {
    PSPixelMask* next;
    void* maskData;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t maskDescription;
};

// Version 1 of the pixel map; set `version` to 1.
struct PSPixelMap {
    int32_t version;
    VRect bounds;
    int32_t imageMode;
    int32_t rowBytes;
    int32_t colBytes;
    int32_t planeBytes;
    void* baseAddr;
    PSPixelMask* mat;
    PSPixelMask* masks;
    int32_t maskPhaseRow;
    int32_t maskPhaseCol;
};

// `platformContext` is the device context to draw into on Windows.
typedef OSErr(PS_CALLBACK* DisplayPixelsProc)(const PSPixelMap* source, const VRect* srcRect, int32_t dstRow,
                                              int32_t dstCol, void* platformContext);

// --- Channel ports ------------------------------------------------------------

struct OpaqueChannelReadPort;
struct OpaqueChannelWritePort;
typedef OpaqueChannelReadPort* ChannelReadPort;
typedef OpaqueChannelWritePort* ChannelWritePort;

struct PSScaling {
    VRect sourceRect;
    VRect destinationRect;
};

// Memory the host reads into; the steps are in bits.
struct PixelMemoryDesc {
    void* data;
    int32_t rowBits;
    int32_t colBits;
    int32_t bitOffset;
    int32_t depth;
};

typedef OSErr(PS_CALLBACK* ReadPixelsProc)(ChannelReadPort port, const PSScaling* scaling, const VRect* writeRect,
                                           const PixelMemoryDesc* destination, VRect* wroteRect);
typedef OSErr(PS_CALLBACK* WriteBasePixelsProc)(ChannelWritePort port, const VRect* writeRect,
                                                const PixelMemoryDesc* source);
typedef OSErr(PS_CALLBACK* ReadPortForWritePortProc)(ChannelReadPort* readPort, ChannelWritePort writePort);

struct ChannelPortProcs {
    int16_t channelPortProcsVersion;
    int16_t numChannelPortProcs;
    ReadPixelsProc readPixelsProc;
    WriteBasePixelsProc writeBasePixelsProc;
    ReadPortForWritePortProc readPortForWritePortProc;
};

inline constexpr int16_t kCurrentChannelPortProcsVersion = 1;
inline constexpr int16_t kCurrentChannelPortProcsCount = 3;

// One channel of the document; hosts may append fields after `name`.
struct ReadChannelDesc {
    int32_t minVersion;
    int32_t maxVersion;
    ReadChannelDesc* next;
    ChannelReadPort port;
    VRect bounds;
    int32_t depth;
    VPoint tileSize;
    VPoint tileOrigin;
    Boolean target;
    Boolean shown;
    int16_t channelType;
    void* contextInfo;
    const char* name;
};

// The document as the channel ports see it; hosts may append fields.
struct ReadImageDocumentDesc {
    int32_t minVersion;
    int32_t maxVersion;
    int32_t imageMode;
    int32_t depth;
    VRect bounds;
    Fixed hResolution;
    Fixed vResolution;
    uint8_t redLUT[256];
    uint8_t greenLUT[256];
    uint8_t blueLUT[256];
    ReadChannelDesc* targetCompositeChannels;
    ReadChannelDesc* targetTransparency;
    ReadChannelDesc* targetLayerMask;
    ReadChannelDesc* mergedCompositeChannels;
    ReadChannelDesc* mergedTransparency;
    ReadChannelDesc* alphaChannels;
    ReadChannelDesc* selection;
    void* fileSpec;
};

// --- Scripting descriptors ----------------------------------------------------

typedef uint32_t DescriptorKeyID;
typedef uint32_t DescriptorTypeID;
typedef uint32_t DescriptorUnitID;
typedef uint32_t DescriptorEnumID;
typedef uint32_t DescriptorEnumTypeID;
typedef uint32_t DescriptorClassID;
typedef uint32_t DescType;

struct PIOpaqueReadDescriptor;
struct PIOpaqueWriteDescriptor;
typedef PIOpaqueReadDescriptor* PIReadDescriptor;
typedef PIOpaqueWriteDescriptor* PIWriteDescriptor;
typedef Handle PIDescriptorHandle;

// playInfo: what the host wants when it replays a recorded step.
inline constexpr int16_t plugInDialogDontDisplay = 0;
inline constexpr int16_t plugInDialogDisplay = 1;
inline constexpr int16_t plugInDialogSilent = 2;

// recordInfo: what the plug-in tells the host about recording.
inline constexpr int16_t plugInDialogOptional = 0;
inline constexpr int16_t plugInDialogRequired = 1;
inline constexpr int16_t plugInDialogNone = 2;

// Value types.
inline constexpr DescType typeInteger = FourCC("long");
inline constexpr DescType typeFloat = FourCC("doub");
inline constexpr DescType typeUnitFloat = FourCC("UntF");
inline constexpr DescType typeBoolean = FourCC("bool");
inline constexpr DescType typeChar = FourCC("TEXT");  // text
inline constexpr DescType typeEnumerated = FourCC("enum");
inline constexpr DescType typeAlias = FourCC("alis");
inline constexpr DescType typeType = FourCC("type");
inline constexpr DescType typeClass = FourCC("type");
inline constexpr DescType typeObject = FourCC("Objc");
inline constexpr DescType typeObjectSpecifier = FourCC("obj ");
inline constexpr DescType typeNull = FourCC("null");

// Units of unit floats.
inline constexpr DescriptorUnitID unitNone = FourCC("#Nne");
inline constexpr DescriptorUnitID unitPercent = FourCC("#Prc");
inline constexpr DescriptorUnitID unitPixels = FourCC("#Pxl");
inline constexpr DescriptorUnitID unitDistance = FourCC("#Rlt");
inline constexpr DescriptorUnitID unitAngle = FourCC("#Ang");
inline constexpr DescriptorUnitID unitDensity = FourCC("#Rsl");

struct PIDescriptorSimpleReference {
    DescriptorTypeID desiredClass;
    DescriptorKeyID keyForm;
    struct {
        Str255 name;
        int32_t index;
        DescriptorTypeID type;
        DescriptorEnumID value;
    } keyData;
};

// Reading. `keys` is a zero-terminated array of the keys the plug-in expects;
// hosts zero the entries they deliver.
typedef PIReadDescriptor(PS_CALLBACK* OpenReadDescriptorProc)(PIDescriptorHandle descriptor, DescriptorKeyID* keys);
typedef OSErr(PS_CALLBACK* CloseReadDescriptorProc)(PIReadDescriptor descriptor);
typedef Boolean(PS_CALLBACK* GetKeyProc)(PIReadDescriptor descriptor, DescriptorKeyID* key, DescType* type,
                                         int32_t* flags);
typedef OSErr(PS_CALLBACK* GetIntegerProc)(PIReadDescriptor descriptor, int32_t* value);
typedef OSErr(PS_CALLBACK* GetFloatProc)(PIReadDescriptor descriptor, double* value);
typedef OSErr(PS_CALLBACK* GetUnitFloatProc)(PIReadDescriptor descriptor, DescriptorUnitID* unit, double* value);
typedef OSErr(PS_CALLBACK* GetBooleanProc)(PIReadDescriptor descriptor, Boolean* value);
typedef OSErr(PS_CALLBACK* GetTextProc)(PIReadDescriptor descriptor, Handle* value);
typedef OSErr(PS_CALLBACK* GetAliasProc)(PIReadDescriptor descriptor, Handle* value);
typedef OSErr(PS_CALLBACK* GetEnumeratedProc)(PIReadDescriptor descriptor, DescriptorEnumID* value);
typedef OSErr(PS_CALLBACK* GetClassProc)(PIReadDescriptor descriptor, DescriptorClassID* value);
typedef OSErr(PS_CALLBACK* GetSimpleReferenceProc)(PIReadDescriptor descriptor, PIDescriptorSimpleReference* value);
typedef OSErr(PS_CALLBACK* GetObjectProc)(PIReadDescriptor descriptor, DescriptorClassID* type,
                                          PIDescriptorHandle* value);
typedef OSErr(PS_CALLBACK* GetCountProc)(PIReadDescriptor descriptor, uint32_t* count);
typedef OSErr(PS_CALLBACK* GetStringProc)(PIReadDescriptor descriptor, Str255* value);
typedef OSErr(PS_CALLBACK* GetPinnedIntegerProc)(PIReadDescriptor descriptor, int32_t min, int32_t max, int32_t* value);
typedef OSErr(PS_CALLBACK* GetPinnedFloatProc)(PIReadDescriptor descriptor, const double* min, const double* max,
                                               double* value);
typedef OSErr(PS_CALLBACK* GetPinnedUnitFloatProc)(PIReadDescriptor descriptor, const double* min, const double* max,
                                                   DescriptorUnitID* unit, double* value);

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    OpenReadDescriptorProc openReadDescriptorProc;
    CloseReadDescriptorProc closeReadDescriptorProc;
    GetKeyProc getKeyProc;
    GetIntegerProc getIntegerProc;
    GetFloatProc getFloatProc;
    GetUnitFloatProc getUnitFloatProc;
    GetBooleanProc getBooleanProc;
    GetTextProc getTextProc;
    GetAliasProc getAliasProc;
    GetEnumeratedProc getEnumeratedProc;
    GetClassProc getClassProc;
    GetSimpleReferenceProc getSimpleReferenceProc;
    GetObjectProc getObjectProc;
    GetCountProc getCountProc;
    GetStringProc getStringProc;
    GetPinnedIntegerProc getPinnedIntegerProc;
    GetPinnedFloatProc getPinnedFloatProc;
    GetPinnedUnitFloatProc getPinnedUnitFloatProc;
};

inline constexpr int16_t kCurrentReadDescriptorProcsVersion = 0;
inline constexpr int16_t kCurrentReadDescriptorProcsCount = 18;

// Writing.
typedef PIWriteDescriptor(PS_CALLBACK* OpenWriteDescriptorProc)(void);
typedef OSErr(PS_CALLBACK* CloseWriteDescriptorProc)(PIWriteDescriptor descriptor, PIDescriptorHandle* newDescriptor);
typedef OSErr(PS_CALLBACK* PutIntegerProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, int32_t value);
typedef OSErr(PS_CALLBACK* PutFloatProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, const double* value);
typedef OSErr(PS_CALLBACK* PutUnitFloatProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, DescriptorUnitID unit,
                                             const double* value);
typedef OSErr(PS_CALLBACK* PutBooleanProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, Boolean value);
typedef OSErr(PS_CALLBACK* PutTextProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, Handle value);
typedef OSErr(PS_CALLBACK* PutAliasProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, Handle value);
typedef OSErr(PS_CALLBACK* PutEnumeratedProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, DescriptorTypeID type,
                                              DescriptorEnumID value);
typedef OSErr(PS_CALLBACK* PutClassProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, DescriptorTypeID value);
typedef OSErr(PS_CALLBACK* PutSimpleReferenceProc)(PIWriteDescriptor descriptor, DescriptorKeyID key,
                                                   const PIDescriptorSimpleReference* value);
typedef OSErr(PS_CALLBACK* PutObjectProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, DescriptorTypeID type,
                                          PIDescriptorHandle value);
typedef OSErr(PS_CALLBACK* PutCountProc)(PIWriteDescriptor descriptor, DescriptorKeyID key, uint32_t count);
typedef OSErr(PS_CALLBACK* PutStringProc)(PIWriteDescriptor descriptor, DescriptorKeyID key,
                                          const unsigned char* value);
typedef OSErr(PS_CALLBACK* PutScopedClassProc)(PIWriteDescriptor descriptor, DescriptorKeyID key,
                                               DescriptorTypeID value);
typedef OSErr(PS_CALLBACK* PutScopedObjectProc)(PIWriteDescriptor descriptor, DescriptorKeyID key,
                                                DescriptorTypeID type, PIDescriptorHandle* value);

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    OpenWriteDescriptorProc openWriteDescriptorProc;
    CloseWriteDescriptorProc closeWriteDescriptorProc;
    PutIntegerProc putIntegerProc;
    PutFloatProc putFloatProc;
    PutUnitFloatProc putUnitFloatProc;
    PutBooleanProc putBooleanProc;
    PutTextProc putTextProc;
    PutAliasProc putAliasProc;
    PutEnumeratedProc putEnumeratedProc;
    PutClassProc putClassProc;
    PutSimpleReferenceProc putSimpleReferenceProc;
    PutObjectProc putObjectProc;
    PutCountProc putCountProc;
    PutStringProc putStringProc;
    PutScopedClassProc putScopedClassProc;
    PutScopedObjectProc putScopedObjectProc;
};

inline constexpr int16_t kCurrentWriteDescriptorProcsVersion = 0;
inline constexpr int16_t kCurrentWriteDescriptorProcsCount = 16;

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;
    int16_t recordInfo;
    PIDescriptorHandle descriptor;
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

inline constexpr int16_t kCurrentDescriptorParametersVersion = 0;

// --- About record and platform data ------------------------------------------

struct PlatformData {
    intptr_t hwnd;  // the host window that owns the plug-in's dialogs (may be 0)
};

struct SPBasicSuite;  // not used by the core

struct AboutRecord {
    void* platformData;  // points at a PlatformData
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    char reserved[244];
};

// --- Filter record ------------------------------------------------------------

struct PlugInMonitor {
    Fixed gamma;
    Fixed redX;
    Fixed redY;
    Fixed greenX;
    Fixed greenY;
    Fixed blueX;
    Fixed blueY;
    Fixed whiteX;
    Fixed whiteY;
    Fixed ambient;
};

struct ImageServicesProcs;  // not used by the core

#if defined(_WIN32)
#pragma pack(push, 4)
#endif

struct FilterRecord {
    int32_t serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters;
    Point16 imageSize;
    int16_t planes;
    Rect16 filterRect;
    RGBColor background;
    RGBColor foreground;
    int32_t maxSpace;
    int32_t bufferSpace;
    Rect16 inRect;
    int16_t inLoPlane;
    int16_t inHiPlane;
    Rect16 outRect;
    int16_t outLoPlane;
    int16_t outHiPlane;
    void* inData;
    int32_t inRowBytes;
    void* outData;
    int32_t outRowBytes;
    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect16 maskRect;
    void* maskData;
    int32_t maskRowBytes;
    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;
    int16_t imageMode;
    Fixed imageHRes;
    Fixed imageVRes;
    Point16 floatCoord;
    Point16 wholeSize;
    PlugInMonitor monitor;
    void* platformData;  // points at a PlatformData
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;

    // Host version 3.
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16_t wantLayout;
    int16_t filterCase;
    int16_t dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;
    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16_t inputPadding;
    int16_t outputPadding;
    int16_t maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;
    int16_t inLayerPlanes;
    int16_t inTransparencyMask;
    int16_t inLayerMasks;
    int16_t inInvertedLayerMasks;
    int16_t inNonLayerPlanes;
    int16_t outLayerPlanes;
    int16_t outTransparencyMask;
    int16_t outLayerMasks;
    int16_t outInvertedLayerMasks;
    int16_t outNonLayerPlanes;
    int16_t absLayerPlanes;
    int16_t absTransparencyMask;
    int16_t absLayerMasks;
    int16_t absInvertedLayerMasks;
    int16_t absNonLayerPlanes;
    int16_t inPreDummyPlanes;
    int16_t inPostDummyPlanes;
    int16_t outPreDummyPlanes;
    int16_t outPostDummyPlanes;
    int32_t inColumnBytes;
    int32_t inPlaneBytes;
    int32_t outColumnBytes;
    int32_t outPlaneBytes;

    // Host version 3.0.4.
    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;
    int16_t inTileHeight;
    int16_t inTileWidth;
    Point16 inTileOrigin;
    int16_t absTileHeight;
    int16_t absTileWidth;
    Point16 absTileOrigin;
    int16_t outTileHeight;
    int16_t outTileWidth;
    Point16 outTileOrigin;
    int16_t maskTileHeight;
    int16_t maskTileWidth;
    Point16 maskTileOrigin;

    // Host version 4.
    PIDescriptorParameters* descriptorParameters;
    Str255* errorString;
    ChannelPortProcs* channelPortProcs;
    ReadImageDocumentDesc* documentInfo;

    // Host version 5.
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32_t depth;

    // Host version 6.
    Handle iCCprofileData;
    int32_t iCCprofileSize;
    int32_t canUseICCProfiles;

    // Host version 7 and later. Older hosts end the record earlier: test the
    // host's version before reading these.
    int32_t hasImageScrap;
    void* bigDocumentData;
    void* input3DScene;
    void* output3DScene;
    Boolean createNewLayer;
    Handle iCCWorkingProfileData;
    int32_t iCCWorkingProfileSize;

    // Room for fields of later hosts; a host of ours leaves it zero.
    char reserved[256];
};

#if defined(_WIN32)
#pragma pack(pop)
#endif

}  // namespace ps
