#include "bridge/HamlibRig.h"

#include <hamlib/rig.h>

#include <clocale>

namespace {

void setConf(RIG* rig, const char* name, const char* value) {
    const token_t token = rig_token_lookup(rig, name);
    if (token != RIG_CONF_END)
        rig_set_conf(rig, token, value);
}

} // namespace

HamlibRig::HamlibRig(int model, const QString& path) : m_model(model), m_path(path.toLocal8Bit()) {
    // Hamlib's own chatter would bury the bridge's messages.
    rig_set_debug(RIG_DEBUG_NONE);
    // Hamlib keeps the name setlocale() returns for LC_NUMERIC, switches to "C" (which frees that
    // name) and restores the kept one: a use after free unless the numeric locale is "C" already.
    std::setlocale(LC_NUMERIC, "C");
}

HamlibRig::~HamlibRig() {
    close();
}

std::optional<RigReading> HamlibRig::read() {
    if (!ensureOpen())
        return std::nullopt;
    freq_t hz = 0;
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (rig_get_freq(m_rig, RIG_VFO_CURR, &hz) != RIG_OK ||
        rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width) != RIG_OK) {
        close();
        return std::nullopt;
    }
    return RigReadingOf(hz, rig_strrmode(mode));
}

bool HamlibRig::tune(qint64 hz, const QString& mode) {
    if (!ensureOpen())
        return false;
    if (rig_set_freq(m_rig, RIG_VFO_CURR, freq_t(hz)) != RIG_OK) {
        close();
        return false;
    }
    const rmode_t known = rig_parse_mode(mode.trimmed().toUpper().toLatin1().constData());
    if (known != RIG_MODE_NONE)
        rig_set_mode(m_rig, RIG_VFO_CURR, known, RIG_PASSBAND_NOCHANGE);
    return true;
}

bool HamlibRig::ensureOpen() {
    if (m_rig)
        return true;
    RIG* rig = rig_init(rig_model_t(m_model));
    if (!rig)
        return false;
    setConf(rig, "rig_pathname", m_path.constData());
    // A rig that is gone must not hold up the link for long.
    setConf(rig, "timeout", "500");
    setConf(rig, "retry", "0");
    if (rig_open(rig) != RIG_OK) {
        rig_cleanup(rig);
        return false;
    }
    m_rig = rig;
    return true;
}

void HamlibRig::close() {
    if (!m_rig)
        return;
    rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
}
