#pragma once

#include <QDialog>

/// "Version information (Tarvo)": the program icon and its version.
class VersionDialog : public QDialog {
    Q_OBJECT
public:
    explicit VersionDialog(QWidget* parent = nullptr);
};
