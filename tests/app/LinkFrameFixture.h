#pragma once

#include "FrameFixture.h"
#include "link/Loopback.h"

#include <QMenu>
#include <QMenuBar>

inline constexpr int kWaitMs = int(std::chrono::milliseconds(kHangGuard).count());
inline const QString kLoopbackText = QStringLiteral("127.0.0.1");

/// The main frame with its link up on 127.0.0.1 and a companion socket beside it.
class LinkFrameTest : public FrameTest {
protected:
    LinkFrameTest() {
        EXPECT_TRUE(companion.bind(kLoopbackIpv4, 0));
        EXPECT_TRUE(stranger.bind(kSecondLoopbackIpv4, 0));
        LinkOnLoopback(settings, companion.localPort());
    }

    void fromCompanion(const QByteArray& datagram, UdpSocket* from = nullptr) {
        (from ? from : &companion)->sendTo(datagram, kLoopbackIpv4, quint16(settings.myport));
    }

    /// Sends a datagram, then a NAME marker behind it, and waits for the marker: the first has
    /// been handled, whatever it did.
    void handled(const QByteArray& datagram, UdpSocket* from = nullptr) {
        fromCompanion(datagram, from);
        const QString marker = QStringLiteral("M%1").arg(++m_markers);
        fromCompanion("NAME " + marker.toLatin1() + "\r");
        ASSERT_TRUE(QTest::qWaitFor([&] { return edit(Ctl::Name)->text() == marker; }, kWaitMs));
    }

    /// Every request the screen sent to the companion so far.
    QList<QByteArray> requests() {
        QList<QByteArray> out;
        while (const auto datagram = companion.receive(65536))
            out.append(datagram->bytes);
        return out;
    }

    void keys(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(target, key, modifiers);
    }

    QAction* menuItem(int command) const { return frame.action(command); }
    QMenu* menu(const QString& title) const {
        for (QMenu* m : frame.menuBar()->findChildren<QMenu*>()) {
            if (m->title() == title)
                return m;
        }
        return nullptr;
    }

    UdpSocket companion;
    UdpSocket stranger; ///< on 127.0.0.2, which is not the companion's address

private:
    int m_markers = 0;
};
