// The walking protocol shared by every image and rectangle iterator:
//   it.Begin(rect, sink, from, to); while (it.IsValid()) { ...; it.Next(); }
// Progress goes to the sink once per finished row, scaled into [from, to].
#pragma once

#include "base/Progress.h"
#include "base/Rect.h"

template <typename ImageT>
class IteratorInterface {
public:
    virtual ~IteratorInterface() = default;
    // Begin over the image's whole bounds.
    virtual void BeginAll(ProgressUpdateSink* sink, double from, double to) = 0;
    virtual void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) = 0;
    virtual void Next() = 0;
    virtual bool IsValid() const = 0;
    virtual bool AtRowStart() const = 0;
};

// The read-only twin of IteratorInterface.
template <typename ImageT>
class ConstIteratorInterface {
public:
    virtual ~ConstIteratorInterface() = default;
    virtual void BeginAll(ProgressUpdateSink* sink, double from, double to) = 0;
    virtual void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) = 0;
    virtual void Next() = 0;
    virtual bool IsValid() const = 0;
    virtual bool AtRowStart() const = 0;
};
