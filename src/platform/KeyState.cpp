#include "platform/KeyState.h"

bool ManualKeyState::isKeyDown(int qtKey) const {
    return m_keys.contains(qtKey);
}

void ManualKeyState::setKeyDown(int qtKey, bool down) {
    m_keys.removeAll(qtKey);
    if (down)
        m_keys.append(qtKey);
}

void ManualKeyState::setLeftButton(bool down, QPoint globalPos) {
    m_leftButton = down;
    m_pointer = globalPos;
}
