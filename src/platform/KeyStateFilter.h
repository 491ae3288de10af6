#pragma once

#include "platform/KeyState.h"

#include <QObject>
#include <QSet>

/// The application-wide key state: installed as an event filter on the application, it watches
/// every key and pointer event on the way to its widget and never consumes one.
class KeyStateFilter : public QObject, public KeyState {
    Q_OBJECT
public:
    explicit KeyStateFilter(QObject* parent = nullptr);

    bool isKeyDown(int qtKey) const override;
    bool isLeftButtonDown() const override { return m_leftButton; }
    QPoint lastPointerPos() const override { return m_pointer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void trackModifiers(Qt::KeyboardModifiers modifiers);

    QSet<int> m_keys;
    bool m_leftButton = false;
    QPoint m_pointer;
};
