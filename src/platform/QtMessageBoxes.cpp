#include "platform/QtMessageBoxes.h"

#include <QMessageBox>

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, Icon icon, Buttons buttons) {
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::Critical, QMessageBox::Warning, QMessageBox::Question,
                                                  QMessageBox::Information};
    QMessageBox box(icons[int(icon)], QStringLiteral("Tarvo"), text,
                    buttons == Buttons::Ok ? QMessageBox::Ok : (QMessageBox::Yes | QMessageBox::No), m_parent);
    if (buttons != Buttons::Ok)
        box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
    const int result = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
