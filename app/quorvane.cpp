// Program entry: the application, the splash, the main window and the message loop.
#include "app/about.h"
#include "app/main2.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Decoded while Qt connects to the window system.
    TfrmAbout::StartLoadingPicture();
    QApplication app(argc, argv);
    InitApplication(app);

    QStringList args = QApplication::arguments();
    args.removeFirst();
    // The about window shows as a splash while the main window is made.
    const std::unique_ptr<TfrmMain> w = StartMainWindow(args);
    if (!w)
        return 1;
    return QApplication::exec();
}
