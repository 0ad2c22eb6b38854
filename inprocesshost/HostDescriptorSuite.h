// The in-process host's scripting descriptor procedures: a plug-in opens a
// read descriptor on a descriptor handle and walks its keys, reading each
// value with the procedure for its type; or opens a write descriptor, puts
// typed values under keys and closes it into a new descriptor handle. The
// values live in a DescriptorStore; handles come from the host's handle
// table. Unknown tokens and handles are refused, never dereferenced.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "inprocesshost/DescriptorStore.h"
#include "pluginapi/PluginInterface.h"

class HostHandleTable;

// A get whose procedure does not fit the value's type.
inline constexpr ps::OSErr kDescriptorWrongType = -1703;

class HostDescriptorSuite {
public:
    explicit HostDescriptorSuite(HostHandleTable& handles) : handles_(handles) {}
    HostDescriptorSuite(const HostDescriptorSuite&) = delete;
    HostDescriptorSuite& operator=(const HostDescriptorSuite&) = delete;

    // A handle holding `store`, owned by the caller (or the plug-in it is
    // handed to); null when memory runs out.
    ps::PIDescriptorHandle NewDescriptorHandle(const DescriptorStore& store);
    // The store a descriptor handle holds; false for an unknown handle or
    // bytes that are not a descriptor.
    bool ReadDescriptorHandle(ps::PIDescriptorHandle handle, DescriptorStore& store) const;

    // --- Reading -----------------------------------------------------------------
    // Null for a handle that holds no descriptor. `keys` (zero-terminated,
    // may be null) has each entry zeroed when its key is delivered.
    ps::PIReadDescriptor OpenRead(ps::PIDescriptorHandle descriptor, ps::DescriptorKeyID* keys);
    // The first error a get returned, else noErr.
    ps::OSErr CloseRead(ps::PIReadDescriptor token);
    bool GetKey(ps::PIReadDescriptor token, ps::DescriptorKeyID* key, ps::DescType* type, int32_t* flags);
    ps::OSErr GetInteger(ps::PIReadDescriptor token, int32_t* value);
    // Integers and unit floats are read as floats too.
    ps::OSErr GetFloat(ps::PIReadDescriptor token, double* value);
    // A plain float or integer comes with unitNone.
    ps::OSErr GetUnitFloat(ps::PIReadDescriptor token, ps::DescriptorUnitID* unit, double* value);
    ps::OSErr GetBoolean(ps::PIReadDescriptor token, ps::Boolean* value);
    // A new handle with the text's characters, no terminator.
    ps::OSErr GetText(ps::PIReadDescriptor token, ps::Handle* value);
    ps::OSErr GetAlias(ps::PIReadDescriptor token, ps::Handle* value);
    ps::OSErr GetEnumerated(ps::PIReadDescriptor token, ps::DescriptorEnumID* value);
    ps::OSErr GetClass(ps::PIReadDescriptor token, ps::DescriptorClassID* value);
    ps::OSErr GetSimpleReference(ps::PIReadDescriptor token, ps::PIDescriptorSimpleReference* value);
    ps::OSErr GetObject(ps::PIReadDescriptor token, ps::DescriptorClassID* type, ps::PIDescriptorHandle* value);
    ps::OSErr GetCount(ps::PIReadDescriptor token, uint32_t* value);
    // A text as a length-prefixed string, cut to 255 characters.
    ps::OSErr GetString(ps::PIReadDescriptor token, ps::Str255* value);
    // The value moved into [min, max] answers coercedParamErr.
    ps::OSErr GetPinnedInteger(ps::PIReadDescriptor token, int32_t min, int32_t max, int32_t* value);
    // A null bound is no bound.
    ps::OSErr GetPinnedFloat(ps::PIReadDescriptor token, const double* min, const double* max, double* value);
    ps::OSErr GetPinnedUnitFloat(ps::PIReadDescriptor token, const double* min, const double* max,
                                 ps::DescriptorUnitID* unit, double* value);

    // --- Writing -----------------------------------------------------------------
    ps::PIWriteDescriptor OpenWrite();
    // Always ends the token; the new handle belongs to the caller.
    ps::OSErr CloseWrite(ps::PIWriteDescriptor token, ps::PIDescriptorHandle* descriptor);
    ps::OSErr PutInteger(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, int32_t value);
    ps::OSErr PutFloat(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, const double* value);
    ps::OSErr PutUnitFloat(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescriptorUnitID unit,
                           const double* value);
    ps::OSErr PutBoolean(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Boolean value);
    // The text is the handle's bytes; the handle stays the caller's.
    ps::OSErr PutText(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value);
    ps::OSErr PutAlias(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value);
    ps::OSErr PutEnumerated(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescriptorTypeID type,
                            ps::DescriptorEnumID value);
    ps::OSErr PutClass(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescriptorTypeID value);
    ps::OSErr PutSimpleReference(ps::PIWriteDescriptor token, ps::DescriptorKeyID key,
                                 const ps::PIDescriptorSimpleReference* value);
    // The handle must hold a descriptor.
    ps::OSErr PutObject(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::DescriptorTypeID type,
                        ps::PIDescriptorHandle value);
    ps::OSErr PutCount(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, uint32_t count);
    // A length-prefixed string, stored as text.
    ps::OSErr PutString(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, const unsigned char* value);

    // Read and write descriptors opened and not yet closed.
    int64_t OpenCount() const { return static_cast<int64_t>(reads_.size() + writes_.size()); }

    static void FillProcs(ps::ReadDescriptorProcs& read, ps::WriteDescriptorProcs& write);

private:
    struct ReadState {
        DescriptorStore store;
        std::size_t next = 0;
        const DescriptorItem* current = nullptr;
        ps::DescriptorKeyID* keys = nullptr;
        std::size_t keyCount = 0;
        ps::OSErr firstError = ps::noErr;
    };

    ReadState* FindRead(ps::PIReadDescriptor token);
    DescriptorStore* FindWrite(ps::PIWriteDescriptor token);
    // The current item of an open read descriptor, checked against the
    // types the get accepts; records the error.
    ps::OSErr Current(ps::PIReadDescriptor token, std::initializer_list<ps::DescType> types,
                      const DescriptorItem*& item);
    ps::OSErr NewHandleWith(const std::string& bytes, ps::Handle* handle);
    ps::OSErr PutHandleBytes(ps::PIWriteDescriptor token, ps::DescriptorKeyID key, ps::Handle value, ps::DescType type);

    HostHandleTable& handles_;
    std::map<uintptr_t, std::unique_ptr<ReadState>> reads_;
    std::map<uintptr_t, std::unique_ptr<DescriptorStore>> writes_;
    uintptr_t nextToken_ = 1;
};
