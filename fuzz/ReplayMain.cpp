// Runs a fuzz target over the files of its corpus folders, as the fuzzer replays them: for the
// ordinary test build, without libFuzzer.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo path(QString::fromLocal8Bit(argv[i]));
        const QFileInfoList entries =
            path.isDir() ? QDir(path.filePath()).entryInfoList(QDir::Files, QDir::Name) : QFileInfoList{path};
        for (const QFileInfo& entry : entries) {
            QFile file(entry.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(entry.filePath()));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    return files > 0 ? 0 : 1;
}
