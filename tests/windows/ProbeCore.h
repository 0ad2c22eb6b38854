// The record the probe core keeps (tests/windows/ProbeCore.cpp).
#pragma once

#include <cstdint>

struct ProbeRecord {
    int calls;
    int resourceHandleCalls;
    void* resourceModule;
    int16_t selector;
    void* hostRecord;
    intptr_t* data;
    int16_t* result;
    int32_t kind;
};
