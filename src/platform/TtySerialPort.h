#pragma once

#include "platform/SerialPort.h"

/// A Linux tty used only for its DTR and RTS lines: opened exclusively, 9600 baud 8N1 raw, no flow
/// control, modem status ignored. Closing it drops both lines.
class TtySerialPort : public SerialPort {
public:
    TtySerialPort() = default;
    ~TtySerialPort() override;
    TtySerialPort(const TtySerialPort&) = delete;
    TtySerialPort& operator=(const TtySerialPort&) = delete;

    OpenResult open(int com) override;
    bool isOpen() const override { return m_fd >= 0; }
    /// "COM3: (/dev/ttyUSB0)"
    QString displayName(int com) const override;
    QString lastErrorDetail() const override { return m_detail; }
    /// False when the line could not be switched, for example when the adapter was pulled out.
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    void purge() override;
    void close() override;

private:
    bool switchLine(int line, bool on);

    int m_fd = -1;
    QString m_detail;
};
