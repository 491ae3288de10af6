#pragma once

#include "platform/MessageBoxes.h"

class QWidget;

/// Real message boxes: modal QMessageBox over the given parent.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    Answer show(const QString& text, Icon icon, Buttons buttons) override;

private:
    QWidget* m_parent;
};
