#include "bridge/BridgeOptions.h"

#include <optional>

namespace {

std::optional<quint16> portOf(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

/// "HOST:PORT" into its parts; false when either is missing or the port is no port.
bool splitHostPort(const QString& text, QString& host, quint16& port) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    const std::optional<quint16> number = portOf(text.mid(colon + 1));
    if (!number)
        return false;
    host = text.left(colon);
    port = *number;
    return true;
}

} // namespace

BridgeCommandLine ParseBridgeCommandLine(const QStringList& arguments) {
    BridgeCommandLine out;
    BridgeOptions& o = out.options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            out.help = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            out.error = QStringLiteral("%1 needs a value").arg(name);
            return out;
        }
        const QString value = arguments[++i];
        bool ok = true;
        if (name == QLatin1String("--fldigi")) {
            ok = splitHostPort(value, o.fldigiHost, o.fldigiPort);
        } else if (name == QLatin1String("--rig")) {
            QString host;
            quint16 port = 0;
            ok = splitHostPort(value, host, port);
            o.rigAddress = value;
        } else if (name == QLatin1String("--rig-model")) {
            o.rigModel = value.toInt(&ok);
            ok = ok && o.rigModel > 0;
        } else if (name == QLatin1String("--rig-device")) {
            o.rigDevice = value;
            ok = !value.isEmpty();
        } else if (name == QLatin1String("--listen")) {
            const std::optional<quint16> port = portOf(value);
            ok = port.has_value();
            o.listenPort = port.value_or(0);
        } else if (name == QLatin1String("--tarvo")) {
            ok = splitHostPort(value, o.tarvoHost, o.tarvoPort);
        } else {
            out.error = QStringLiteral("unknown option %1").arg(name);
            return out;
        }
        if (!ok) {
            out.error = QStringLiteral("%1 %2 is not a valid value").arg(name, value);
            return out;
        }
    }
    return out;
}

QString BridgeUsage() {
    return QStringLiteral(
        "usage: tarvo-bridge [--fldigi HOST:PORT] [--rig HOST:PORT] [--rig-model N] [--rig-device DEV]\n"
        "                    [--listen PORT] [--tarvo HOST:PORT]\n"
        "Serves Tarvo's companion link from fldigi (decoded text and log fields over XML-RPC) and a rig\n"
        "through Hamlib (frequency and mode).\n"
        "  --fldigi HOST:PORT   fldigi's XML-RPC server (127.0.0.1:7362)\n"
        "  --rig HOST:PORT      rigctld, for rig model 2 (127.0.0.1:4532)\n"
        "  --rig-model N        Hamlib's rig model (2, NET rigctl)\n"
        "  --rig-device DEV     the radio's own port, with its --rig-model, instead of rigctld\n"
        "  --listen PORT        the UDP port Tarvo sends to, its \"Port\" (10000)\n"
        "  --tarvo HOST:PORT    Tarvo's own address and \"MyPort\" (127.0.0.1:10001)\n");
}
