#pragma once

#include "link/ViewReading.h"
#include "settings/Settings.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <optional>

class Clock;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class ViewHost;

/// The view dialog: the companion's thirteen strings at once, picking from them into the contact
/// fields, the string the screen follows, and the companion's own items.
class ViewDialog : public QDialog {
    Q_OBJECT
public:
    ViewDialog(ViewHost& host, Clock& clock, bool focusFrequency, QWidget* parent = nullptr);
    ~ViewDialog() override;

    /// A "GET" answer for string 1 .. 13; the next string is asked for once it is shown.
    void showString(int string, const QString& pitch, const QString& text);
    /// A "SPEC" answer: the item records.
    void setItems(const QStringList& records);

    QWidget* control(int id) const { return m_controls.value(id); }
    /// The field picked into last, from which the focus moves on once the dialog has closed.
    std::optional<ContactField> exitField() const;
    const QStringList& itemRecords() const { return m_records; }
    void refreshTitle();
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void buildStrings();
    void buildItems();
    void buildButtons();
    void addShortcuts();
    /// The operator's choice also closes the dialog under "Action & Exit"; the opening's does not.
    void chooseString(int string, bool byOperator);
    void showValueControl();
    void pick(int pickField);
    void command(int command, bool clears);
    void focusValueControl();
    void sendValue(const QString& payload, const QString& field);
    bool frequencyKey(QKeyEvent* event);
    void startUpFocus();
    QLineEdit* stringEdit(int string) const;

    ViewHost& m_host;
    ViewReading m_reading;
    const bool m_focusFrequency;
    QHash<int, QWidget*> m_controls;
    QButtonGroup* m_strings = nullptr;
    QComboBox* m_items = nullptr;
    QComboBox* m_valueList = nullptr;
    QCheckBox* m_check = nullptr;
    QLineEdit* m_valueEdit = nullptr;
    QAbstractButton* m_select = nullptr;
    QLineEdit* m_frequency = nullptr;
    QCheckBox* m_loop = nullptr;
    QCheckBox* m_actionExit = nullptr;
    QCheckBox* m_hamlog = nullptr;
    QPointer<QLineEdit> m_source; ///< the string edit a pick takes its word from
    QMetaObject::Connection m_focusWatch;
    QStringList m_records;
    int m_selectedString = 1;
    int m_selectedItem = 0;
    int m_exitAction = -1; ///< the pick field (0 CALL, 1 RST, 2 M2, 3 M1, 4 NAME, 5 QTH) or −1
    bool m_closing = false;
};
