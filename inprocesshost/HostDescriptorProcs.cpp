// The descriptor procedures as the filter record carries them: each one
// forwards to the active host's descriptor suite, and fails when no host
// is alive.
#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/HostDescriptorSuite.h"
#include "inprocesshost/InProcessHost.h"

namespace {

HostDescriptorSuite* Suite() {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? &host->Descriptors() : nullptr;
}

// Forwards a call that returns an OSErr.
template <typename Method, typename... Args>
ps::OSErr Forward(Method method, Args... args) {
    HostDescriptorSuite* suite = Suite();
    return suite != nullptr ? (suite->*method)(args...) : ps::paramErr;
}

using R = ps::PIReadDescriptor;
using W = ps::PIWriteDescriptor;
using Key = ps::DescriptorKeyID;
using S = HostDescriptorSuite;

// Named apart from the suite's members, which they forward to.
namespace proc {

ps::PIReadDescriptor PS_CALLBACK OpenRead(ps::PIDescriptorHandle descriptor, Key* keys) {
    HostDescriptorSuite* suite = Suite();
    return suite != nullptr ? suite->OpenRead(descriptor, keys) : nullptr;
}
ps::OSErr PS_CALLBACK CloseRead(R t) { return Forward(&S::CloseRead, t); }
ps::Boolean PS_CALLBACK GetKey(R t, Key* key, ps::DescType* type, int32_t* flags) {
    HostDescriptorSuite* suite = Suite();
    return suite != nullptr && suite->GetKey(t, key, type, flags) ? 1 : 0;
}
ps::OSErr PS_CALLBACK GetInteger(R t, int32_t* v) { return Forward(&S::GetInteger, t, v); }
ps::OSErr PS_CALLBACK GetFloat(R t, double* v) { return Forward(&S::GetFloat, t, v); }
ps::OSErr PS_CALLBACK GetUnitFloat(R t, ps::DescriptorUnitID* u, double* v) {
    return Forward(&S::GetUnitFloat, t, u, v);
}
ps::OSErr PS_CALLBACK GetBoolean(R t, ps::Boolean* v) { return Forward(&S::GetBoolean, t, v); }
ps::OSErr PS_CALLBACK GetText(R t, ps::Handle* v) { return Forward(&S::GetText, t, v); }
ps::OSErr PS_CALLBACK GetAlias(R t, ps::Handle* v) { return Forward(&S::GetAlias, t, v); }
ps::OSErr PS_CALLBACK GetEnumerated(R t, ps::DescriptorEnumID* v) { return Forward(&S::GetEnumerated, t, v); }
ps::OSErr PS_CALLBACK GetClass(R t, ps::DescriptorClassID* v) { return Forward(&S::GetClass, t, v); }
ps::OSErr PS_CALLBACK GetSimpleReference(R t, ps::PIDescriptorSimpleReference* v) {
    return Forward(&S::GetSimpleReference, t, v);
}
ps::OSErr PS_CALLBACK GetObject(R t, ps::DescriptorClassID* c, ps::PIDescriptorHandle* v) {
    return Forward(&S::GetObject, t, c, v);
}
ps::OSErr PS_CALLBACK GetCount(R t, uint32_t* v) { return Forward(&S::GetCount, t, v); }
ps::OSErr PS_CALLBACK GetString(R t, ps::Str255* v) { return Forward(&S::GetString, t, v); }
ps::OSErr PS_CALLBACK GetPinnedInteger(R t, int32_t lo, int32_t hi, int32_t* v) {
    return Forward(&S::GetPinnedInteger, t, lo, hi, v);
}
ps::OSErr PS_CALLBACK GetPinnedFloat(R t, const double* lo, const double* hi, double* v) {
    return Forward(&S::GetPinnedFloat, t, lo, hi, v);
}
ps::OSErr PS_CALLBACK GetPinnedUnitFloat(R t, const double* lo, const double* hi, ps::DescriptorUnitID* u, double* v) {
    return Forward(&S::GetPinnedUnitFloat, t, lo, hi, u, v);
}

ps::PIWriteDescriptor PS_CALLBACK OpenWrite() {
    HostDescriptorSuite* suite = Suite();
    return suite != nullptr ? suite->OpenWrite() : nullptr;
}
ps::OSErr PS_CALLBACK CloseWrite(W t, ps::PIDescriptorHandle* d) { return Forward(&S::CloseWrite, t, d); }
ps::OSErr PS_CALLBACK PutInteger(W t, Key k, int32_t v) { return Forward(&S::PutInteger, t, k, v); }
ps::OSErr PS_CALLBACK PutFloat(W t, Key k, const double* v) { return Forward(&S::PutFloat, t, k, v); }
ps::OSErr PS_CALLBACK PutUnitFloat(W t, Key k, ps::DescriptorUnitID u, const double* v) {
    return Forward(&S::PutUnitFloat, t, k, u, v);
}
ps::OSErr PS_CALLBACK PutBoolean(W t, Key k, ps::Boolean v) { return Forward(&S::PutBoolean, t, k, v); }
ps::OSErr PS_CALLBACK PutText(W t, Key k, ps::Handle v) { return Forward(&S::PutText, t, k, v); }
ps::OSErr PS_CALLBACK PutAlias(W t, Key k, ps::Handle v) { return Forward(&S::PutAlias, t, k, v); }
ps::OSErr PS_CALLBACK PutEnumerated(W t, Key k, ps::DescriptorTypeID type, ps::DescriptorEnumID v) {
    return Forward(&S::PutEnumerated, t, k, type, v);
}
ps::OSErr PS_CALLBACK PutClass(W t, Key k, ps::DescriptorTypeID v) { return Forward(&S::PutClass, t, k, v); }
ps::OSErr PS_CALLBACK PutSimpleReference(W t, Key k, const ps::PIDescriptorSimpleReference* v) {
    return Forward(&S::PutSimpleReference, t, k, v);
}
ps::OSErr PS_CALLBACK PutObject(W t, Key k, ps::DescriptorTypeID type, ps::PIDescriptorHandle v) {
    return Forward(&S::PutObject, t, k, type, v);
}
ps::OSErr PS_CALLBACK PutCount(W t, Key k, uint32_t v) { return Forward(&S::PutCount, t, k, v); }
ps::OSErr PS_CALLBACK PutString(W t, Key k, const unsigned char* v) { return Forward(&S::PutString, t, k, v); }
ps::OSErr PS_CALLBACK PutScopedClass(W t, Key k, ps::DescriptorTypeID v) { return Forward(&S::PutClass, t, k, v); }
ps::OSErr PS_CALLBACK PutScopedObject(W t, Key k, ps::DescriptorTypeID type, ps::PIDescriptorHandle* v) {
    if (v == nullptr) return ps::paramErr;
    return Forward(&S::PutObject, t, k, type, *v);
}

}  // namespace proc
}  // namespace

void HostDescriptorSuite::FillProcs(ps::ReadDescriptorProcs& read, ps::WriteDescriptorProcs& write) {
    read = ps::ReadDescriptorProcs{};
    read.readDescriptorProcsVersion = ps::kCurrentReadDescriptorProcsVersion;
    read.numReadDescriptorProcs = ps::kCurrentReadDescriptorProcsCount;
    read.openReadDescriptorProc = proc::OpenRead;
    read.closeReadDescriptorProc = proc::CloseRead;
    read.getKeyProc = proc::GetKey;
    read.getIntegerProc = proc::GetInteger;
    read.getFloatProc = proc::GetFloat;
    read.getUnitFloatProc = proc::GetUnitFloat;
    read.getBooleanProc = proc::GetBoolean;
    read.getTextProc = proc::GetText;
    read.getAliasProc = proc::GetAlias;
    read.getEnumeratedProc = proc::GetEnumerated;
    read.getClassProc = proc::GetClass;
    read.getSimpleReferenceProc = proc::GetSimpleReference;
    read.getObjectProc = proc::GetObject;
    read.getCountProc = proc::GetCount;
    read.getStringProc = proc::GetString;
    read.getPinnedIntegerProc = proc::GetPinnedInteger;
    read.getPinnedFloatProc = proc::GetPinnedFloat;
    read.getPinnedUnitFloatProc = proc::GetPinnedUnitFloat;

    write = ps::WriteDescriptorProcs{};
    write.writeDescriptorProcsVersion = ps::kCurrentWriteDescriptorProcsVersion;
    write.numWriteDescriptorProcs = ps::kCurrentWriteDescriptorProcsCount;
    write.openWriteDescriptorProc = proc::OpenWrite;
    write.closeWriteDescriptorProc = proc::CloseWrite;
    write.putIntegerProc = proc::PutInteger;
    write.putFloatProc = proc::PutFloat;
    write.putUnitFloatProc = proc::PutUnitFloat;
    write.putBooleanProc = proc::PutBoolean;
    write.putTextProc = proc::PutText;
    write.putAliasProc = proc::PutAlias;
    write.putEnumeratedProc = proc::PutEnumerated;
    write.putClassProc = proc::PutClass;
    write.putSimpleReferenceProc = proc::PutSimpleReference;
    write.putObjectProc = proc::PutObject;
    write.putCountProc = proc::PutCount;
    write.putStringProc = proc::PutString;
    write.putScopedClassProc = proc::PutScopedClass;
    write.putScopedObjectProc = proc::PutScopedObject;
}
