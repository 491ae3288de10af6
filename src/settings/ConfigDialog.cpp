#include "settings/ConfigDialog.h"

#include "platform/UpperCaseValidator.h"
#include "resources/ConfigDialog131.h"
#include "settings/ComDeviceText.h"
#include "settings/LineRules.h"
#include "settings/Settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

/// The radio of line code `code` in a group laid out DTR, RTS, BOTH, OFF.
int radioIndexOf(int code) {
    return code >= LineDtr && code <= LineBoth ? code - 1 : 3;
}

int codeOfRadioIndex(int index) {
    return index >= 0 && index < 3 ? index + 1 : LineOff;
}

/// A list entry, or the current value when nothing is selected.
int readList(const QWidget* list, int offset, int current) {
    const int index = static_cast<const QComboBox*>(list)->currentIndex();
    return index < 0 ? current : index + offset;
}

} // namespace

ConfigDialog::ConfigDialog(Settings& settings, QWidget* parent) : QDialog(parent), m_settings(settings) {
    setWindowTitle(QString::fromLatin1(kConfigCaption));
    build();
    fill();
    connect(m_keyLines, &QButtonGroup::idClicked, this, [this] { couple(m_keyLines, m_pttLines); });
    connect(m_pttLines, &QButtonGroup::idClicked, this, [this] { couple(m_pttLines, m_keyLines); });
    connect(static_cast<QComboBox*>(control(CfgCtl::Com)), &QComboBox::currentIndexChanged, this,
            &ConfigDialog::showComDevice);
    showComDevice();
}

void ConfigDialog::build() {
    m_keyLines = new QButtonGroup(this);
    m_pttLines = new QButtonGroup(this);
    QList<QGroupBox*> boxes;
    for (const ConfigGroup& group : ConfigDialog131()) {
        auto* box = new QGroupBox(QString::fromLatin1(group.title), this);
        auto* grid = new QGridLayout(box);
        for (const ConfigControl& c : group.controls)
            grid->addWidget(create(c.id, c.kind, c.text, c.length), c.row, c.column);
        boxes.append(box);
    }
    m_comDevice = new QLabel(this);
    m_comDevice->setObjectName(QStringLiteral("comDevice"));
    m_comDevice->setWordWrap(true);
    m_comDevice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* portGrid = static_cast<QGridLayout*>(boxes[2]->layout());
    // The radios stay together; the description takes what width is left.
    portGrid->setColumnStretch(5, 1);
    portGrid->addWidget(m_comDevice, portGrid->rowCount(), 0, 1, 6);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QGridLayout;
    columns->addWidget(boxes[0], 0, 0);
    columns->addWidget(boxes[1], 1, 0);
    columns->addWidget(boxes[2], 0, 1, 2, 1);
    columns->addWidget(boxes[3], 0, 2);
    columns->addWidget(boxes[4], 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
}

QWidget* ConfigDialog::create(int id, int kind, const char* text, int length) {
    const QString caption = QString::fromLatin1(text);
    QWidget* widget = nullptr;
    switch (kind) {
    case ConfigControl::Label:
        return new QLabel(caption, this);
    case ConfigControl::Check:
        widget = new QCheckBox(caption, this);
        break;
    case ConfigControl::Radio: {
        auto* radio = new QRadioButton(caption, this);
        const bool key = id >= CfgCtl::KeyDtr && id <= CfgCtl::KeyOff;
        QButtonGroup* group = key ? m_keyLines : m_pttLines;
        group->addButton(radio, group->buttons().size());
        widget = radio;
        break;
    }
    case ConfigControl::List: {
        auto* list = new QComboBox(this);
        list->addItems(ConfigListEntries(id));
        widget = list;
        break;
    }
    case ConfigControl::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(length);
        edit->setTextMargins(2, 0, 2, 0);
        if (length == kTextLimit) {
            edit->setValidator(new UpperCaseValidator(edit));
        } else {
            // Port and address edits show their whole text.
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(length, QLatin1Char('0'))) + 12);
        }
        if (length == 5)
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        widget = edit;
        break;
    }
    }
    widget->setObjectName(QStringLiteral("c%1").arg(id));
    m_controls.insert(id, widget);
    return widget;
}

void ConfigDialog::fill() {
    const Settings& s = m_settings;
    const auto check = [this](int id, int value) {
        static_cast<QCheckBox*>(control(id))->setChecked(value == 1);
    };
    const auto list = [this](int id, int index) {
        static_cast<QComboBox*>(control(id))->setCurrentIndex(index);
    };
    const auto text = [this](int id, const QString& value) {
        static_cast<QLineEdit*>(control(id))->setText(value);
    };
    for (int f = 0; f < kContactFields; ++f) {
        check(CfgCtl::kInitChecks[f], s.chk[f]);
        text(CfgCtl::kInitEdits[f], s.init[f]);
    }
    list(CfgCtl::Watch, s.CQ_Sec - 2);
    list(CfgCtl::Limit, s.CQ_Limit - 1);
    list(CfgCtl::TxSel, s.CQ_Sel - 1);
    list(CfgCtl::Progress, s.CQ_Progress);
    list(CfgCtl::Com, s.COM - 1);
    list(CfgCtl::Delay, s.DELAY);
    m_keyLines->button(radioIndexOf(s.SIG))->setChecked(true);
    m_pttLines->button(radioIndexOf(s.SIG_STANDBY))->setChecked(true);
    check(CfgCtl::Close, s.chk_CLOSE);
    check(CfgCtl::Tone, s.chk_TONE);
    check(CfgCtl::Use, s.enable);
    check(CfgCtl::IpCheck, s.ipcheck);
    text(CfgCtl::MyPort, QString::number(s.myport));
    text(CfgCtl::CompanionPort, QString::number(s.port));
    text(CfgCtl::CompanionIp, s.ip);
    check(CfgCtl::RemoteUse, s.Remote_USE);
    check(CfgCtl::RemoteHost, s.Remote_HOST);
    text(CfgCtl::RemotePort, QString::number(s.Remote_PORT));
    text(CfgCtl::RemoteIp, s.Remote_IP);
}

void ConfigDialog::accept() {
    Settings& s = m_settings;
    const auto check = [this](int id) {
        return static_cast<QCheckBox*>(control(id))->isChecked() ? 1 : 0;
    };
    const auto text = [this](int id) {
        return static_cast<QLineEdit*>(control(id))->text();
    };
    // The port edits hold digits only; an empty one reads 0.
    const auto number = [&text](int id) {
        return text(id).toInt();
    };
    for (int f = 0; f < kContactFields; ++f) {
        s.chk[f] = check(CfgCtl::kInitChecks[f]);
        s.init[f] = text(CfgCtl::kInitEdits[f]);
    }
    s.CQ_Sec = readList(control(CfgCtl::Watch), 2, s.CQ_Sec);
    s.CQ_Limit = readList(control(CfgCtl::Limit), 1, s.CQ_Limit);
    s.CQ_Sel = readList(control(CfgCtl::TxSel), 1, s.CQ_Sel);
    s.CQ_Progress = readList(control(CfgCtl::Progress), 0, s.CQ_Progress);
    s.COM = readList(control(CfgCtl::Com), 1, s.COM);
    s.DELAY = readList(control(CfgCtl::Delay), 0, s.DELAY);
    s.SIG = codeOfRadioIndex(m_keyLines->checkedId());
    s.SIG_STANDBY = codeOfRadioIndex(m_pttLines->checkedId());
    s.chk_CLOSE = check(CfgCtl::Close);
    s.chk_TONE = check(CfgCtl::Tone);
    s.enable = check(CfgCtl::Use);
    s.ipcheck = check(CfgCtl::IpCheck);
    s.myport = number(CfgCtl::MyPort);
    s.port = number(CfgCtl::CompanionPort);
    s.ip = text(CfgCtl::CompanionIp);
    s.Remote_USE = check(CfgCtl::RemoteUse);
    s.Remote_HOST = check(CfgCtl::RemoteHost);
    s.Remote_PORT = number(CfgCtl::RemotePort);
    s.Remote_IP = text(CfgCtl::RemoteIp);
    QDialog::accept();
}

void ConfigDialog::couple(QButtonGroup* clicked, QButtonGroup* other) {
    const int taken = codeOfRadioIndex(clicked->checkedId());
    const int line = CoupledLine(taken, codeOfRadioIndex(other->checkedId()));
    other->button(radioIndexOf(line))->setChecked(true);
}

void ConfigDialog::showComDevice() {
    const int index = static_cast<QComboBox*>(control(CfgCtl::Com))->currentIndex();
    m_comDevice->setText(ComDeviceText(index + 1));
}
