#include "platform/KeyStateFilter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

bool isModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta;
}

} // namespace

KeyStateFilter::KeyStateFilter(QObject* parent) : QObject(parent) {}

bool KeyStateFilter::isKeyDown(int qtKey) const {
    return m_keys.contains(qtKey);
}

bool KeyStateFilter::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: // a key that ends as a shortcut is never delivered as a press
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key event passes here once for its window and once for each widget it is offered to;
        // inserting and removing are idempotent, so that does no harm.
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() != QEvent::KeyRelease)
            m_keys.insert(key->key());
        else if (!key->isAutoRepeat())
            m_keys.remove(key->key());
        if (!isModifierKey(key->key()))
            trackModifiers(key->modifiers());
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_leftButton = mouse->buttons().testFlag(Qt::LeftButton);
        m_pointer = mouse->globalPosition().toPoint();
        break;
    }
    case QEvent::ApplicationStateChange:
        // Releases made while another window had the keyboard never reach us.
        if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
            m_keys.clear();
            m_leftButton = false;
        }
        break;
    default:
        break;
    }
    return false;
}

// A modifier released while another window had the keyboard is dropped at the next key.
void KeyStateFilter::trackModifiers(Qt::KeyboardModifiers modifiers) {
    const std::pair<Qt::KeyboardModifier, int> pairs[] = {
        {Qt::ControlModifier, Qt::Key_Control}, {Qt::ShiftModifier, Qt::Key_Shift}, {Qt::AltModifier, Qt::Key_Alt}};
    for (const auto& [modifier, key] : pairs) {
        if (!modifiers.testFlag(modifier))
            m_keys.remove(key);
    }
}
