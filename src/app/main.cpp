#include "app/TarvoApp.h"
#include "platform/SingleInstance.h"

int main(int argc, char** argv) {
    SingleInstance instance;
    // A second start ends here, before any window or display connection exists.
    if (!instance.acquire())
        return 0;
    TarvoApp app(argc, argv);
    if (!app.start())
        return 0;
    const int code = app.exec();
    instance.release();
    return code;
}
