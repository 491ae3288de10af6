#pragma once

#include <QDialog>
#include <QHash>

class QButtonGroup;
class QLabel;
struct Settings;

/// Dialog 131: the contact fields' initial texts, automatic CQ, the serial port and its lines, the
/// sidetone and the two links. OK writes the controls into the settings; cancel leaves them.
class ConfigDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigDialog(Settings& settings, QWidget* parent = nullptr);

    QWidget* control(int id) const { return m_controls.value(id); }
    /// What the COM list's entry means on this machine, shown beside it.
    QLabel* comDevice() const { return m_comDevice; }
    void accept() override;

private:
    void build();
    QWidget* create(int id, int kind, const char* text, int length);
    void fill();
    /// A click on one line group moves the other off the line it took.
    void couple(QButtonGroup* clicked, QButtonGroup* other);
    void showComDevice();

    Settings& m_settings;
    QHash<int, QWidget*> m_controls;
    QButtonGroup* m_keyLines = nullptr;
    QButtonGroup* m_pttLines = nullptr;
    QLabel* m_comDevice = nullptr;
};
