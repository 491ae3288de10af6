#pragma once

class MessageBoxes;
class SerialPort;
struct Settings;

/// The KEY and PTT lines on the modem-control outputs of the serial port. Line codes: 0 none,
/// 1 DTR, 2 RTS, 3 both. The port is opened on the first raise and never to lower a line.
class KeyingLines {
public:
    KeyingLines(SerialPort& port, const Settings& settings, MessageBoxes& boxes);

    /// False when the port could not be opened to raise a line, or a line change failed; a failed
    /// change closes the port, so the next raise opens it again.
    bool SetLine(int code, bool on);
    /// Opens the port (a fresh open every time with chk_CLOSE 1); shows its own error message.
    bool OpenPort();
    /// Drops both lines and closes the port if it is open.
    void ClosePort();
    /// A line change failed (an adapter pulled out): the port is given up, so that the next raise
    /// opens the device afresh, and the operator is told once, while the port was still open.
    void LinesFailed();
    /// Opens the port unless it is open already, as a raise does; false (after its message) when
    /// it cannot be opened.
    bool EnsureOpen();
    bool isOpen() const;

private:
    bool switchLines(int code, bool on);

    SerialPort& m_port;
    const Settings& m_settings;
    MessageBoxes& m_boxes;
};
