#include "FuzzCheck.h"
#include "link/HamlogRecord.h"

#include <cstdint>

// Any "LOGDT" block: the record is always the call frame with its fifteen labels, and at most two
// frequencies and two modes come out, none of them empty.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString block = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const HamlogBlock out = BuildHamlogRecord(block);
    Require(out.record.startsWith(QStringLiteral("[HAMLOG] Call=\"")));
    Require(out.record.size() <= block.size() + 256);
    Require(out.frequencies.size() <= 2 && out.modes.size() <= 2);
    for (const QStringList* list : {&out.frequencies, &out.modes}) {
        for (const QString& line : *list)
            Require(!line.isEmpty());
    }
    return 0;
}
