#pragma once

#include <QString>
#include <QStringList>

/// The Linux device behind the operator's COMn.
struct ComDevice {
    /// What to open: the link $XDG_CONFIG_HOME/Zorvik/Tarvo/COMn when there is one, else /dev/ttyS(n−1).
    QString path;
    /// The device as the operator knows it: where the link leads, or the ttyS path.
    QString shown;
    /// The link that maps COMn; empty when there is none.
    QString link;
};

ComDevice ResolveComDevice(int com);

/// The folder of the COMn links.
QString ComLinkFolder();

/// Whether the device behind a COM number can be keyed through, found without opening it: an
/// open raises DTR and RTS, which could key the transmitter.
struct ComDeviceCheck {
    enum State { Ready, Missing, NotSerial, NoPort, NoAccess };
    State state = Missing;
    QString group; ///< the group that owns the device, for NoAccess
};

/// sysClassTty is where the kernel tells whether a ttyS device has a UART behind it.
ComDeviceCheck CheckComDevice(const ComDevice& device, const QString& sysClassTty = QStringLiteral("/sys/class/tty"));

/// The USB serial adapters plugged in now: their stable names under devRoot/serial/by-id, or
/// devRoot/ttyUSB* and devRoot/ttyACM* when there are none.
QStringList FindSerialAdapters(const QString& devRoot = QStringLiteral("/dev"));
