#pragma once

#include <QString>

/// Where the settings live: $XDG_CONFIG_HOME/Zorvik/Tarvo.reg.
QString SettingsFilePath();
