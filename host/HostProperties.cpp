#include "host/HostProperties.h"

#include <cstring>

#include "host/HostCalls.h"
#include "host/HostContext.h"
#include "host/HostHandles.h"
#include "host/RunRecord.h"

namespace {

int32_t BigEndian32(const unsigned char* bytes) {
    const uint32_t value =
        (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
    return static_cast<int32_t>(value);
}

// Reads major, minor and fix from a complex version answer and disposes of
// the handle.
ResultCode VersionFromHandle(ps::Handle handle, HostVersion& version) {
    ResultCode result = ResultCode::Failure();
    if (HandleSize(handle) >= 12) {
        const unsigned char* bytes = static_cast<const unsigned char*>(LockHandle(handle));
        if (bytes != nullptr) {
            version.major = BigEndian32(bytes);
            version.minor = BigEndian32(bytes + 4);
            version.fix = BigEndian32(bytes + 8);
            UnlockHandle(handle);
            result = ResultCode::Success();
        }
    }
    DisposeHandle(handle);
    return result;
}

}  // namespace

bool HasPropertySuite() {
    const ps::FilterRecord* record = CurrentFilterRecord();
    return record != nullptr && record->propertyProcs != nullptr && record->propertyProcs->getPropertyProc != nullptr;
}

ResultCode ReadHostVersion(HostVersion& version) {
    version = HostVersion();
    if (!HasPropertySuite()) return ResultCode::Failure();
    intptr_t simple = 0;
    ps::Handle complex = nullptr;
    const ps::OSErr error = HostGetProperty(ps::kPhotoshopSignature, ps::propVersion, 0, &simple, &complex);
    if (error != ps::noErr) {
        DisposeHandle(complex);
        return ResultCode(error);
    }
    HostVersion read;
    if (complex != nullptr) {
        if (VersionFromHandle(complex, read).IsFailure()) return ResultCode::Failure();
    } else {
        read.major = static_cast<int32_t>((simple >> 16) & 0xFF);
        read.minor = static_cast<int32_t>((simple >> 8) & 0xFF);
    }
    if (read.major <= 0) return ResultCode::Failure();
    version = read;
    return ResultCode::Success();
}

int32_t RulerUnitsFromHost(intptr_t hostValue, int32_t hostMajorVersion) {
    intptr_t units = hostValue;
    if (hostMajorVersion < 7) {
        switch (hostValue) {
            case 1: units = 1; break;
            case 2: units = 2; break;
            case 3: units = 4; break;
            case 4: units = 5; break;
            default: units = 0; break;
        }
    }
    if (units < 0 || units > 5) return 0;
    return static_cast<int32_t>(units);
}

ResultCode ReadRulerUnits(int32_t hostMajorVersion, int32_t& units) {
    units = 0;
    if (!HasPropertySuite()) return ResultCode::Failure();
    // A host that answers success without writing leaves -1, which maps to 0.
    intptr_t simple = -1;
    ps::Handle complex = nullptr;
    const ps::OSErr error = HostGetProperty(ps::kPhotoshopSignature, ps::propRulerUnits, 0, &simple, &complex);
    if (complex != nullptr) {
        DisposeHandle(complex);
        return ResultCode::Failure();
    }
    if (error != ps::noErr) return ResultCode(error);
    units = RulerUnitsFromHost(simple, hostMajorVersion);
    return ResultCode::Success();
}

ResultCode SetBusyCursorSuspended(bool suspended) {
    const ps::FilterRecord* record = CurrentFilterRecord();
    if (!OnHostThread() || record == nullptr || record->propertyProcs == nullptr ||
        record->propertyProcs->setPropertyProc == nullptr) {
        return ResultCode::Failure();
    }
    const ps::OSErr error = record->propertyProcs->setPropertyProc(ps::kPhotoshopSignature, ps::propWatchSuspension, 0,
                                                                   suspended ? 1 : 0, nullptr);
    return error == ps::noErr ? ResultCode::Success() : ResultCode(error);
}

void ReadHostPropertiesInto(RunRecord& run) {
    run.noPropertySuite = 1;
    run.hostMajorVersion = 0;
    run.hostMinorVersion = 0;
    run.rulerUnits = 0;
    if (!HasPropertySuite()) return;
    run.noPropertySuite = 0;
    HostVersion version;
    if (ReadHostVersion(version).IsFailure()) return;
    run.hostMajorVersion = version.major;
    run.hostMinorVersion = version.minor;
    int32_t units = 0;
    if (ReadRulerUnits(version.major, units).IsSuccess()) run.rulerUnits = units;
}
