#pragma once

#include <QString>

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
