#include "FuzzCheck.h"
#include "platform/RegistryFile.h"

#include <cstdint>

// Whatever a settings file holds, parsing it never fails hard, and what was read writes out
// to a file that reads back to the same store.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parsed = RegistryFile::parse(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    const QByteArray written = RegistryFile::serialize(parsed.data);
    const auto again = RegistryFile::parse(written);
    Require(again.badLines.isEmpty() && RegistryFile::serialize(again.data) == written);
    return 0;
}
