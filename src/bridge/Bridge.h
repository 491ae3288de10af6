#pragma once

#include "bridge/BridgeItems.h"
#include "bridge/BridgeOptions.h"
#include "bridge/BridgeRequest.h"
#include "bridge/DecodedText.h"
#include "bridge/FldigiClient.h"
#include "bridge/LogFields.h"
#include "bridge/RigControl.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <array>
#include <functional>
#include <optional>

/// Where the bridge says what became of fldigi and the rig.
class BridgeNotes {
public:
    virtual ~BridgeNotes() = default;
    virtual void note(const QString& line) = 0;
};

/// What one round with fldigi read; a part fldigi could not answer stays empty.
struct FldigiRound {
    int pending = 0;
    bool reached = true;
    std::optional<QString> trxState;
    std::optional<qint64> rxLength;
    std::optional<qint64> carrier;
    std::array<std::optional<QString>, kLogFieldCount> fields;
    std::array<bool, kLogFieldCount> setByTarvo{}; ///< set by Tarvo while the round ran: its reading is old
};

/// The companion's side of Tarvo's link, served from fldigi and the rig: decoded text as string 1,
/// the log fields both ways, and the rig's frequency and mode.
class Bridge : public QObject {
    Q_OBJECT
public:
    Bridge(const BridgeOptions& options, RigControl& rig, BridgeNotes& notes, QObject* parent = nullptr);

    /// Binds the companion's port and starts polling; false when the port cannot be had.
    bool start();
    QString error() const { return m_error; }
    quint16 listenPort() const { return m_socket.localPort(); }

private:
    void poll();
    void pollRig();
    /// One round with fldigi: its state, the pane's length, the pitch and the log fields, asked at
    /// once; then the new text, if there is any.
    void pollFldigi();
    void ask(const char* method, std::function<void(const QVariant&)> take);
    void roundAnswered();
    void takeLogFields();
    void readText(DecodedText::Range range);
    /// fldigi has been reached (or not); said once each time that changes.
    bool fldigiAnswered(bool reached);
    void endRound();

    void receive();
    void answer(const QByteArray& datagram);
    void tune(const BridgeRequest& request);
    void setLogField(int field, const QString& value);
    void clearLog();
    void sendRig();
    void send(const QByteArray& datagram);

    const BridgeOptions m_options;
    RigControl& m_rig;
    BridgeNotes& m_notes;
    FldigiClient m_fldigi;
    QUdpSocket m_socket;
    QHostAddress m_tarvo;
    QTimer m_timer;
    QString m_error;
    BridgeItems m_items;
    DecodedText m_text;
    std::optional<bool> m_fldigiUp; ///< unknown before the first round
    std::optional<bool> m_rigUp;
    std::optional<FldigiRound> m_round; ///< while a round runs
    bool m_connecting = false;          ///< the round in which fldigi answered again: it takes the starting points
    bool m_transmitting = false;
    int m_carrier = 0;
    std::array<QString, kLogFieldCount> m_logFields; ///< as last read from fldigi or sent to it
    std::optional<RigReading> m_rigReading;
};
