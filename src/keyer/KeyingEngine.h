#pragma once

#include "keyer/KeyingEdge.h"

/// Makes the line changes and tone starts of a transmission at their due times, whatever the
/// user-interface thread is busy with. The sender hands it the schedule ahead of time.
class KeyingEngine {
public:
    virtual ~KeyingEngine() = default;

    /// Queues one edge; edges are queued in the order of their due times.
    virtual void schedule(const KeyingEdge& edge) = 0;
    /// No element starts after this; a mark on the air ends normally.
    virtual void cancel() = 0;
    /// Returns once every edge due by now has been made.
    virtual void finishDue() = 0;
    /// A line change failed: nothing queued was made after it, until clearFailure().
    virtual bool failed() const = 0;
    virtual void clearFailure() = 0;
};
