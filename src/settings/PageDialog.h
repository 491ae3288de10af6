#pragma once

#include "resources/PageDialogs.h"
#include "settings/PageChoice.h"

#include <QDialog>
#include <QHash>

class QButtonGroup;

/// The load and the save dialog of the parameter pages: six choices and the eighteen texts.
class PageDialog : public QDialog {
    Q_OBJECT
public:
    PageDialog(const PageDialogTemplate& form, const PageDialogData& data, QWidget* parent = nullptr);

    /// After OK the checked page and the edits; after cancel what the dialog was given.
    const PageDialogData& data() const { return m_data; }
    QWidget* control(int id) const { return m_controls.value(id); }
    void accept() override;

protected:
    /// A choice's mnemonic picks it at once, also without Alt while a choice has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const PageDialogTemplate& form);
    void fill();

    PageDialogData m_data;
    QHash<int, QWidget*> m_controls;
    QButtonGroup* m_choices = nullptr;
};
