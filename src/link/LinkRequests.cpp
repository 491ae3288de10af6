#include "link/LinkRequests.h"

#include "link/LinkText.h"

namespace {

// In the order of LinkCommand.
constexpr QByteArrayView kCommandKeywords[] = {"TIMEJ", "TIMEU", "RCVCW", "CLR", "SAVE", "SPEC", "FREQ"};

struct FieldRequest {
    QByteArrayView keyword;
    int Settings::*flag;
};

// In the order of ContactField; M1 goes as "CODE " instead when "RMK1 " is off.
constexpr FieldRequest kFieldRequests[kContactFields] = {
    {"CALL ", &Settings::Send_CALL}, {"RST ", &Settings::Send_RST},   {"NAME ", &Settings::Send_NAME},
    {"QTH ", &Settings::Send_QTH},   {"RMK1 ", &Settings::Send_RMK1}, {"MYRST ", &Settings::Send_MYRST}};
constexpr FieldRequest kCodeRequest{"CODE ", &Settings::Send_RMK1b};

} // namespace

QByteArray RequestMessage(QByteArrayView keyword, const QString& text) {
    return LinkMessage(keyword, text, kRequestLimit);
}

QByteArray CommandMessage(LinkCommand command) {
    return RequestMessage(kCommandKeywords[int(command)], QStringLiteral(" "));
}

QByteArray GetStringMessage(int string) {
    const int asked = string >= 2 && string <= 13 ? string : 1;
    return RequestMessage(QString::asprintf("GET%02d", asked).toLatin1(), QStringLiteral(" "));
}

QByteArray FsetMessage(const QString& frequency, const QString& mode) {
    const QString twelve = LeftCharacters(frequency, 12).leftJustified(12, QLatin1Char(' '));
    return RequestMessage("FSET", QLatin1Char(' ') + twelve + QLatin1Char(' ') + mode);
}

QByteArray ValMessage(const QString& payload) {
    return RequestMessage("VAL ", payload);
}

std::optional<QByteArray> FieldMessage(ContactField field, const QString& text, const Settings& settings) {
    if (field < 0 || field >= kContactFields)
        return std::nullopt;
    const FieldRequest& request = field == FieldM1 && !settings.Send_RMK1 ? kCodeRequest : kFieldRequests[field];
    if (!(settings.*request.flag))
        return std::nullopt;
    return RequestMessage(request.keyword, LeftCharacters(text, kFieldReadLimit));
}

QList<QByteArray> SaveRequests(const Settings& settings) {
    QList<QByteArray> requests;
    for (const ContactField field : {FieldCALL, FieldM2, FieldM1, FieldNAME, FieldQTH, FieldRST}) {
        const QString& text = settings.his[field];
        if (settings.chk[field] == 1 && text == settings.init[field])
            continue;
        if (const auto message = FieldMessage(field, text, settings))
            requests.append(*message);
    }
    requests.append(CommandMessage(LinkCommand::SAVE));
    return requests;
}

QList<QByteArray> ClearRequests(const Settings& settings) {
    QList<QByteArray> requests;
    if (settings.Send_SAVECL)
        requests = SaveRequests(settings);
    requests.append(CommandMessage(LinkCommand::CLR));
    return requests;
}
