#pragma once

#include "keyer/EdgeMaker.h"
#include "keyer/EdgeQueue.h"
#include "keyer/KeyingEngine.h"

class VirtualClock;

/// The keying engine on the virtual clock: each edge is made as thread work at its due time, so
/// tests see the schedule the real engine keeps, exactly and without a thread.
class VirtualKeyingEngine : public KeyingEngine {
public:
    VirtualKeyingEngine(VirtualClock& clock, SerialPort& port, SidetoneOutput& sidetone);

    void schedule(const KeyingEdge& edge) override;
    void cancel() override { m_queue.cancel(); }
    void finishDue() override { makeDue(); }
    bool failed() const override { return m_failed; }
    void clearFailure() override { m_failed = false; }

private:
    void makeDue();

    VirtualClock& m_clock;
    EdgeMaker m_maker;
    EdgeQueue m_queue;
    bool m_failed = false;
};
