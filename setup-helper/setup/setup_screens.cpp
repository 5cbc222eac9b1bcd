// zelko7-setup-screens DIR: renders the setup window, decorated with the
// product label, as it opens on screens 864 and 1080 pixels high, into
// DIR/setup-864.png and DIR/setup-1080.png (`make screens`).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <filesystem>

#include "custom_binding.h"
#include "setup_window.h"
#include "src/window_hook.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: zelko7-setup-screens DIR\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    int status = 0;
    for (const int height : {864, 1080}) {
        const QSize screen(height * 16 / 9, height);
        custom::setScreenSizeOverride(screen);
        setup::CustomBinding unloaded;
        setup::SetupWindow window(unloaded, std::filesystem::path("."));
        window.fitToScreen(screen);
        window.show();
        custom::installDecoration(&window, 1);
        const QString path = QDir(folder).filePath(QStringLiteral("setup-%1.png").arg(height));
        if (!window.grab().toImage().save(path)) {
            std::fprintf(stderr, "zelko7-setup-screens: cannot write %s\n", qPrintable(path));
            status = 1;
        }
        custom::removeDecoration();
        std::printf("%s\n", qPrintable(path));
    }
    return status;
}
