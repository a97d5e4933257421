// Program entry: the application, the splash, the main window and the message loop.
#include "app/about.h"
#include "app/main2.h"
#include "app/startup.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    // Decoded while Qt connects to the window system.
    TfrmAbout::StartLoadingPicture();
    QApplication app(argc, argv);
    InitApplication(app);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    // The about window shows as a splash while the main window is made, and is gone before
    // the main window appears.
    const std::unique_ptr<TfrmMain> w = CreateMainWindow(args);
    if (!w)
        return 1;
    // The size the window returns to from maximized. Set first, it also spares laying the whole
    // window out once only to find a size nobody sees.
    if (const QScreen* screen = w->screen())
        w->resize(screen->availableGeometry().size() * 3 / 4);
    w->showMaximized();
    return QApplication::exec();
}
