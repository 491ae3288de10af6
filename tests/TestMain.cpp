#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LsanSuppressions.h"

// Read by the sanitizer runtimes of the sanitized test build; unused otherwise.
extern "C" const char* __lsan_default_suppressions() {
    return kLsanSuppressions;
}
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// One application object for every suite: widget tests need it, and waits run its event loop.
// Settings, logs and locks go to a temporary home, never the real one.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    for (const char* name : {"config", "data", "runtime"})
        QDir(home.path()).mkpath(QString::fromLatin1(name));
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.filePath("runtime").toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
