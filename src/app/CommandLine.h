#pragma once

#include <QString>
#include <QStringList>

/// Audio options of the command line; held in memory only, defaults at every start.
struct AudioOptions {
    int gain = 100;         ///< sidetone amplitude, percent of full scale (1..100)
    int sampleRate = 11025; ///< 8000, 11025, 22050 or 44100 Hz
    int toneHz = 600;       ///< 200..3000
    int waveDevice = -1;    ///< -1 the default output, else a device number
    bool viewFocusFreq = false;
};

/// Reads the options anywhere in the command line, in any case and order. A value is the number
/// just after its "="; a value out of range leaves the default.
AudioOptions ParseCommandLine(const QString& commandLine);

/// The command line as one text: the arguments after the program name, joined by blanks.
QString JoinCommandLine(const QStringList& arguments);
