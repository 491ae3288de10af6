#pragma once

#include "log/LogEncoding.h"
#include "settings/Settings.h"

#include <QDate>
#include <QDateTime>
#include <QString>

/// The first line of every new log file.
QString LogHeader();

/// "Tarvo" + YYMMDD + "A" or "U" + ".txt", without a folder.
QString LogFileName(const QDate& date, LogEncoding encoding);

/// text with every double quote doubled, as a quoted CSV value needs.
QString QuoteDoubled(const QString& text);

/// The TYPE 0 record: the six contact texts as they stand at stamp.
QString ContactRecord(const QDateTime& stamp, const ContactTexts& his);

/// The TYPE 1 record of one line; quotedText has its quotes doubled already.
QString LineRecord(const QDateTime& stamp, const QString& quotedText);
