#include "keyer/SidetoneGenerator.h"

#include "platform/AudioOut.h"
#include "settings/Settings.h"

SidetoneGenerator::SidetoneGenerator(AudioOut& out, const Settings& settings, const ToneShape& shape, int device)
    : m_out(out), m_settings(settings), m_shape(shape), m_device(device) {}

SidetoneGenerator::~SidetoneGenerator() {
    CloseSidetone();
}

void SidetoneGenerator::BuildSidetone() {
    if (m_settings.chk_TONE != 1)
        return;
    if (m_open)
        CloseSidetone();
    // A speed of zero (a remote request can carry one) has no element length to build a tone for.
    if (m_settings.WPM < 1)
        return;
    m_dot = SynthesizeTone(DotFrames(m_settings.WPM, m_shape.sampleRate), m_shape);
    m_dash = SynthesizeTone(DashFrames(m_settings.WPM, m_settings.RATIO, m_shape.sampleRate), m_shape);
    m_open = m_out.open(m_device, m_shape.sampleRate);
    if (!m_open)
        CloseSidetone();
}

void SidetoneGenerator::CloseSidetone() {
    if (m_open) {
        m_out.reset();
        m_out.close();
        m_open = false;
    }
    m_dot = {};
    m_dash = {};
}

void SidetoneGenerator::SidetoneStart(int units) {
    if (!m_open)
        return;
    const std::vector<qint16>* tone = units == 1 ? &m_dot : units == 3 ? &m_dash : nullptr;
    if (tone)
        m_out.queue(tone->data(), int(tone->size() / 2));
}
