// The operating screen with tarvo-peer's session as its companion: what the peer types and
// answers, as an operator trying the link by hand sees it.
#include "LinkFrameFixture.h"
#include "link/ViewDialog.h"
#include "peer/PeerSession.h"
#include "resources/Dialog147.h"
#include "screen/LinkScreen.h"

#include <QComboBox>
#include <QTimer>

namespace {

/// The peer's datagrams leave from the companion socket of the fixture.
class SocketSender : public DatagramSender {
public:
    SocketSender(UdpSocket& socket, const quint16& port) : m_socket(socket), m_port(port) {}
    std::optional<QString> send(const QByteArray& datagram) override {
        if (m_socket.sendTo(datagram, kLoopbackIpv4, m_port))
            return std::nullopt;
        return QStringLiteral("not sent");
    }
    QString destination() const override { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    UdpSocket& m_socket;
    const quint16& m_port;
};

class QuietOutput : public PeerOutput {
public:
    void print(const QString& line) override { lines.append(line); }
    void printError(const QString& line) override { lines.append(line); }
    QStringList lines;
};

class PeerCompanionTest : public LinkFrameTest {
protected:
    PeerCompanionTest() {
        m_port = quint16(settings.myport);
        // What Tarvo sends reaches the peer as its socket would hand it over.
        QObject::connect(&m_pump, &QTimer::timeout, [this] {
            while (const auto datagram = companion.receive(65536))
                session.received(datagram->bytes, QStringLiteral("127.0.0.1:%1").arg(m_port));
        });
        m_pump.start(1);
    }

    quint16 m_port = 0;
    SocketSender sender{companion, m_port};
    QuietOutput output;
    PeerSession session{DefaultCompanionData(), sender, output};
    QTimer m_pump;
};

TEST_F(PeerCompanionTest, ALogdtBlockAStepAndAPickFromTheViewDialog) {
    open();
    QString block = QStringLiteral("LOGDT\n");
    for (int k = 1; k <= 15; ++k)
        block += (k == 7 ? QStringLiteral("7.02500") : k == 8 ? QStringLiteral("CW") : QString()) + "\n";
    session.typed((block + ".\n").toLatin1());
    QLineEdit* frequency = edit(Ctl::Freq);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frequency->text() == QStringLiteral("7.02500"); }, kWaitMs));
    EXPECT_EQ(static_cast<QComboBox*>(control(Ctl::Mode))->currentText(), QStringLiteral("CW"));

    edit(Ctl::Call)->setFocus();
    QTest::keyClick(edit(Ctl::Call), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frequency->text(), QStringLiteral("7.02501"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frequency->isReadOnly(); }, kWaitMs)) << "the peer answered";
    EXPECT_TRUE(output.lines.join('\n').contains("FSET 7.02501      CW")) << output.lines.join('\n').toStdString();

    QTimer::singleShot(0, [this] {
        ViewDialog* d = view()->link().viewDialog();
        ASSERT_NE(d, nullptr);
        auto* string13 = static_cast<QLineEdit*>(d->control(ViewCtl::kStringEdits[12]));
        auto* items = static_cast<QComboBox*>(d->control(ViewCtl::Items));
        // The 1 ms before the first "GET" passes on the virtual clock.
        const bool read = QTest::qWaitFor(
            [&] {
                clock.advanceMs(1);
                return !string13->text().isEmpty() && d->control(ViewCtl::Get)->isEnabled();
            },
            kWaitMs);
        EXPECT_TRUE(read) << "all thirteen strings";
        EXPECT_EQ(items->count(), 5);
        auto* string1 = static_cast<QLineEdit*>(d->control(ViewCtl::kStringEdits[0]));
        EXPECT_EQ(string1->text(), QStringLiteral("CQ CQ CQ DE Q1ABC Q1ABC K"));
        string1->setFocus();
        string1->setCursorPosition(13);
        QTest::mouseClick(d->control(ViewCtl::kPicks[0]), Qt::LeftButton);
        if (view()->link().viewDialog())
            d->done(QDialog::Rejected);
    });
    settings.SELEXIT = 1;
    settings.LOOP = 0;
    QTest::mouseClick(control(Ctl::View), Qt::LeftButton);
    EXPECT_EQ(edit(Ctl::Call)->text(), QStringLiteral("Q1ABC"));
}

} // namespace
