// The operating screen with tarvo-bridge as its companion, the bridge fed by a fake fldigi and
// Hamlib's dummy rig behind rigctld: what an operator with fldigi and a rig sees.
#include "FrameFixture.h"
#include "bridge/Bridge.h"
#include "bridge/FakeFldigi.h"
#include "bridge/HamlibRig.h"
#include "bridge/Rigctld.h"
#include "link/Loopback.h"

namespace {

constexpr int kWaitMs = 5000;

class QuietNotes : public BridgeNotes {
public:
    void note(const QString&) override {}
};

class BridgeCompanionTest : public FrameTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(rigctld.started()) << rigctld.why().toStdString();
        ASSERT_TRUE(rigctld.command("F 7025000").has_value());
        ASSERT_TRUE(rigctld.command("M CW 500").has_value());
        ASSERT_TRUE(fldigi.listen());
        LinkOnLoopback(settings, 0);
        BridgeOptions options;
        options.fldigiPort = fldigi.port();
        options.rigAddress = rigctld.address();
        options.listenPort = 0;
        options.tarvoPort = quint16(settings.myport);
        rig = std::make_unique<HamlibRig>(options.rigModel, options.rigPath());
        bridge = std::make_unique<Bridge>(options, *rig, notes);
        ASSERT_TRUE(bridge->start()) << bridge->error().toStdString();
        settings.port = bridge->listenPort();
    }

    Rigctld rigctld;
    FakeFldigi fldigi;
    QuietNotes notes;
    std::unique_ptr<HamlibRig> rig;
    std::unique_ptr<Bridge> bridge;
};

TEST_F(BridgeCompanionTest, TheRigsFrequencyAStepThatRetunesItAndACallFromFldigisLog) {
    open();
    // The bridge came first: Ctrl+Shift+R asks it for the rig's frequency.
    QTest::keyClick(edit(Ctl::Call), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QLineEdit* frequency = edit(Ctl::Freq);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frequency->text() == QStringLiteral("7.02500"); }, kWaitMs))
        << frequency->text().toStdString();

    edit(Ctl::Call)->setFocus();
    QTest::keyClick(edit(Ctl::Call), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frequency->text(), QStringLiteral("7.02501"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frequency->isReadOnly(); }, kWaitMs)) << "the bridge answered";
    EXPECT_EQ(rigctld.command("f").value_or(QStringList()).value(0), QStringLiteral("7025010")) << "the rig moved";

    // The bridge takes what fldigi's log holds when it first reaches it as its starting point.
    // A second round begins once the first has ended.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return fldigi.calls.count(QStringLiteral("main.get_trx_state")) >= 2; }, kWaitMs));
    fldigi.log.insert(QStringLiteral("call"), QStringLiteral("Q1ABC"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit(Ctl::Call)->text() == QStringLiteral("Q1ABC"); }, kWaitMs));

    ASSERT_TRUE(rigctld.command("F 14074000").has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return frequency->text() == QStringLiteral("14.07400"); }, kWaitMs))
        << "a turn of the rig's dial shows too";
}

} // namespace
