#pragma once

#include <QString>

/// Where the daily CSV logs live: $XDG_DATA_HOME/Zorvik/Tarvo, created when missing.
QString LogFolder();
