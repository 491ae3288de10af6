#pragma once

#include <QString>

/// The modem-control lines of one serial port. No data is ever sent or received.
class SerialPort {
public:
    /// The step an open failed at; each has its own message for the operator.
    enum class OpenResult { Ok, OpenFailed, EventMaskFailed, QueueOrTimeoutFailed, ReadStateFailed, WriteStateFailed };

    virtual ~SerialPort() = default;

    /// Opens port COMn with the keying parameters; on failure the port stays closed.
    virtual OpenResult open(int com) = 0;
    virtual bool isOpen() const = 0;
    /// The name the operator sees for COMn in messages.
    virtual QString displayName(int com) const = 0;
    /// Why the last open failed, in the operator's words; empty when nothing more is known.
    virtual QString lastErrorDetail() const = 0;
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;
    virtual void purge() = 0;
    virtual void close() = 0;
};
