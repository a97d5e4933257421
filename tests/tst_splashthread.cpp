// The splash's picture is decoded on a thread started before the application object exists.
// Qt takes the first thread that asks for its per-thread data for the program's main thread. If
// any other thread got there first and still ran when the application object was made, Qt
// would warn that the application was not made in the main thread, and lose track of its main
// thread once that other thread ended. Starting the decoder must settle it first. Here another
// thread touches Qt and stays alive until the application object stands: on a busy machine the
// decoding thread itself does just that. A program of its own: the application object must not
// exist when it starts.
#include "app/about.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <future>
#include <thread>

namespace {

int gWrongThreadWarnings = 0;

void CountWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QLatin1String("was not created in the main() thread")))
        ++gWrongThreadWarnings;
    if (type == QtFatalMsg)
        std::abort();
}

int Check(bool ok, const char* what) {
    if (!ok)
        std::fprintf(stderr, "FAIL: %s\n", what);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(CountWarnings);
    TfrmAbout::StartLoadingPicture();

    std::promise<void> touched, release;
    std::thread other([&] {
        QObject object;
        touched.set_value();
        release.get_future().wait();
    });
    touched.get_future().wait();

    int failures = 0;
    {
        QApplication app(argc, argv);
        const TfrmAbout splash;
        failures += Check(gWrongThreadWarnings == 0, "Qt took another thread for the main thread");
        failures += Check(app.thread() == QThread::currentThread(),
                          "the application does not live in the thread that made it");
        failures += Check(!splash.Picture().isNull(), "the splash has no picture");
    }
    release.set_value();
    other.join();
    std::printf(failures ? "FAILED\n" : "PASS\n");
    return failures ? 1 : 0;
}
