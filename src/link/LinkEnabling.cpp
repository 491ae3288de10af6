#include "link/LinkEnabling.h"

#include "settings/Settings.h"

LinkEnabling LinkEnablingOf(const Settings& settings, bool linkUp) {
    const bool send = linkUp && settings.Send_ENABLEALL;
    return {linkUp, send, send && settings.Recv_ENABLEALL};
}
