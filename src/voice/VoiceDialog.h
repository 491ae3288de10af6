#pragma once

#include "voice/VoiceCq.h"

#include <QDialog>
#include <QHash>

#include <memory>

class ClockTimer;
class FileDialogs;
class MessageBoxes;
class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QVBoxLayout;
struct Settings;

/// The voice memory dialog: six rows of a WAV file with its comment, once or repeat and its cuts,
/// each played as a voice CQ between the PTT and KEY lines, or tried with its test button.
class VoiceDialog : public QDialog, public VoiceCqHost {
    Q_OBJECT
public:
    struct Devices {
        VoiceCq::Devices cq;
        MessageBoxes& boxes;
        FileDialogs& files;
    };

    VoiceDialog(Settings& settings, const Devices& devices, QWidget* parent = nullptr);
    ~VoiceDialog() override;

    QWidget* control(int id) const { return m_controls.value(id); }
    bool running() const { return m_cq.running(); }

    /// Escape held down is no cancel: Escape stops a voice CQ and never closes the dialog.
    void reject() override;
    void done(int result) override;

    // VoiceCqHost
    void showRunning(bool running) override;
    void showTransmitting(bool on) override;
    void showEnd(bool shown) override;
    void setBarText(Bar bar, const QString& text) override;
    void setBarRange(Bar bar, int maximum) override;
    void setBarValue(Bar bar, int value) override;
    QRect stopIconScreenRect() const override;
    void cannotPlay(const QString& message) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildRow(QGridLayout& grid, int row);
    void buildStatus(QVBoxLayout& layout);
    void fill();
    /// What the close box keeps: the rows' choices, comments, files and cuts.
    void store();
    /// A row's TX button or Ctrl+1 .. 6.
    void txPress(int row);
    void testPlay(int row);
    void chooseFile(int row);
    QLineEdit* edit(int id) const;
    QLabel* label(int id) const;
    QComboBox* list(int id) const;
    QProgressBar* bar(Bar bar) const;

    Settings& m_settings;
    Devices m_dev;
    VoiceCq m_cq;
    QHash<int, QWidget*> m_controls;
    QButtonGroup* m_times[6] = {};
    std::unique_ptr<ClockTimer> m_doneWatch; ///< the done notification of a test playback
};
