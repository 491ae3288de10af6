#pragma once

struct Settings;

/// Which link commands, menu items and controls the operator may use.
struct LinkEnabling {
    /// The "&RcvCW" menu and its toggles: the link is up.
    bool up = false;
    /// Requests that only send: the link is up and sending to the companion is on.
    bool send = false;
    /// Requests that want an answer, and the RcvCW and frequency controls: the link is up and both
    /// sending and receiving are on.
    bool exchange = false;
    /// Sending and stepping the frequency: exchange, and the frequency display is shown.
    bool frequency = false;
};

/// linkUp: the link was started and has not been stopped since, bound or not.
LinkEnabling LinkEnablingOf(const Settings& settings, bool linkUp);
