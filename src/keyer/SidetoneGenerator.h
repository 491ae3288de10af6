#pragma once

#include "keyer/Sidetone.h"
#include "keyer/ToneSynthesis.h"

#include <QtGlobal>

#include <vector>

class AudioOut;
struct Settings;

/// The sidetone: a dot and a dash tone built in advance at the speed and dash ratio of the last
/// build, each queued whole on the audio output when a mark starts.
class SidetoneGenerator : public SidetoneOutput {
public:
    /// device -1 is the default output.
    SidetoneGenerator(AudioOut& out, const Settings& settings, const ToneShape& shape, int device);
    ~SidetoneGenerator() override;

    /// Builds both tones from WPM and RATIO and opens the output; with chk_TONE other than 1, or no
    /// usable output, marks stay silent.
    void BuildSidetone();
    /// Stops what is playing, closes the output and frees the tones.
    void CloseSidetone();
    void SidetoneStart(int units) override;

    bool isOpen() const { return m_open; }
    const std::vector<qint16>& dotTone() const { return m_dot; }
    const std::vector<qint16>& dashTone() const { return m_dash; }

private:
    AudioOut& m_out;
    const Settings& m_settings;
    const ToneShape m_shape;
    const int m_device;
    std::vector<qint16> m_dot;
    std::vector<qint16> m_dash;
    bool m_open = false;
};
