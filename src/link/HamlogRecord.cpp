#include "link/HamlogRecord.h"

#include <array>

namespace {

constexpr int kRecordLines = 15;
constexpr int kReadLines = 18;

// What follows line k (index k − 1); line 2 joins line 1 inside the call.
const std::array<const char16_t*, kRecordLines - 1> kLabelAfterLine = {
    u"",           u"\" Date=\"", u"\" Time=\"", u"\" His=\"",  u"\" My=\"",  u"\" Freq=\"", u"\" Mode=\"",
    u"\" Code=\"", u"\" GL=\"",   u"\" QSL=\"",  u"\" Name=\"", u"\" QTH=\"", u"\" Rmk1=\"", u"\" Rmk2=\"",
};

} // namespace

HamlogBlock BuildHamlogRecord(const QString& block) {
    HamlogBlock result;
    result.record = QStringLiteral("[HAMLOG] Call=\"");
    QString line;
    int k = 1;
    for (const QChar c : block) {
        if (c == u'\r')
            continue;
        if (c != u'\n') {
            line += c;
            continue;
        }
        if (k == 1 && !line.isEmpty())
            result.record += u'/';
        if (k <= kRecordLines)
            result.record += line;
        if ((k == 7 || k == 17) && !line.isEmpty())
            result.frequencies << line;
        if ((k == 8 || k == 18) && !line.isEmpty())
            result.modes << line;
        line.clear();
        if (k < kRecordLines)
            result.record += QString::fromUtf16(kLabelAfterLine[k - 1]);
        if (k >= kReadLines)
            break;
        ++k;
    }
    result.record += u'"';
    return result;
}
