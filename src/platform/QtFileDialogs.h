#pragma once

#include "platform/FileDialogs.h"

class QWidget;

/// The real file-open dialog, modal over the given parent.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    QString openExistingFile(const FileOpenRequest& request) override;

private:
    QWidget* m_parent;
};
