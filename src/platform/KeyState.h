#pragma once

#include <QList>
#include <QPoint>

/// What is held down right now, without waiting for a message: keys (Qt::Key codes), the left
/// mouse button, and where the pointer was at the last pointer event (global coordinates).
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool isKeyDown(int qtKey) const = 0;
    virtual bool isLeftButtonDown() const = 0;
    virtual QPoint lastPointerPos() const = 0;
};

/// A key state that is set by hand (tests, and code with no windows).
class ManualKeyState : public KeyState {
public:
    bool isKeyDown(int qtKey) const override;
    bool isLeftButtonDown() const override { return m_leftButton; }
    QPoint lastPointerPos() const override { return m_pointer; }

    void setKeyDown(int qtKey, bool down);
    void setLeftButton(bool down, QPoint globalPos);

private:
    QList<int> m_keys;
    bool m_leftButton = false;
    QPoint m_pointer;
};
