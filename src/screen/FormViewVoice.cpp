// The operating screen around the voice memory dialog.
#include "screen/CTarvoFormView.h"

#include "keyer/KeyingLines.h"
#include "keyer/SidetoneGenerator.h"
#include "settings/Settings.h"
#include "voice/VoiceDialog.h"

#include <QPushButton>

void CTarvoFormView::OpenVoiceDialog() {
    // The menu is off while CW is keyed or CQ repeats; a command posted at start may still come then,
    // and a CQ tick inside the dialog would key CW over the voice.
    if (m_state.onAir() || m_state.cqRepeat)
        return;
    // The voice plays through the audio output the sidetone holds.
    m_dev.sidetone.CloseSidetone();
    if (m_settings.chk_CLOSE != 0)
        m_dev.lines.ClosePort();
    EnableOperatingControls(false, Scope::WholeView);
    {
        const VoiceCq::Devices cq{m_dev.clock, m_dev.keys, m_dev.lines, m_dev.engine, m_dev.voice};
        VoiceDialog dialog(m_settings, {cq, m_dev.boxes, m_dev.files}, window());
        dialog.exec();
    }
    if (m_settings.chk_CLOSE != 0)
        m_dev.lines.ClosePort();
    EnableOperatingControls(true, Scope::WholeView);
    window()->activateWindow();
    if (button(Ctl::Clear)->isEnabled()) {
        clearDefaultLook();
        button(Ctl::Clear)->setFocus();
        button(Ctl::Clear)->setDefault(true);
    }
    m_dev.sidetone.BuildSidetone();
}
