#include "app/VersionDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Version information (Tarvo)"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32));
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("c1099"));
    text->setText(QStringLiteral("Tarvo v1.00"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
