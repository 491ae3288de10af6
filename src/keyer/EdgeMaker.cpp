#include "keyer/EdgeMaker.h"

#include "keyer/Sidetone.h"
#include "platform/SerialPort.h"

bool EdgeMaker::make(const KeyingEdge& edge) {
    bool ok = true;
    if (edge.code & 1)
        ok = m_port.setDtr(edge.on) && ok;
    if (edge.code & 2)
        ok = m_port.setRts(edge.on) && ok;
    // No tone for a mark that did not go out.
    if (ok && edge.on && edge.toneUnits != 0)
        m_sidetone.SidetoneStart(edge.toneUnits);
    return ok;
}
