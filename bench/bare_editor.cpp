// The bare Qt program the whole-process benchmark sets beside the real one: a main window with a
// tab bar over a plain text editor, showing the page named on the command line decoded from
// Windows-1251. Nothing of the program is linked in. With BARE_EDITOR_QUIT_AFTER_SHOWN=1 it
// quits as soon as its editor has been painted once, so a run can be timed to its exit.
// Built with BARE_EDITOR_WITH_SPLASH, it first shows the program's about window as a splash,
// painted at once, and takes it down once its own window is shown, as the program does.
#ifdef BARE_EDITOR_WITH_SPLASH
#include "app/about.h"
#endif
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Quits once the watched widget has painted.
class TQuitAfterPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !FQuitting) {
            FQuitting = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool FQuitting = false;
};

} // namespace

int main(int argc, char** argv) {
#ifdef BARE_EDITOR_WITH_SPLASH
    TfrmAbout::StartLoadingPicture();
#endif
    QApplication app(argc, argv);
#ifdef BARE_EDITOR_WITH_SPLASH
    auto splash = std::make_unique<TfrmAbout>();
    splash->ShowAsSplash();
#endif
    QMainWindow window;
    window.setWindowTitle(u"Bare editor"_s);
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tabs = new QTabBar(central);
    auto* editor = new QPlainTextEdit(central);
    layout->addWidget(tabs);
    layout->addWidget(editor);
    window.setCentralWidget(central);

    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        QFile file(args[1]);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
            return 2;
        }
        QStringDecoder decoder("windows-1251");
        if (!decoder.isValid()) {
            std::fprintf(stderr, "no Windows-1251 decoder\n");
            return 2;
        }
        QString text = decoder.decode(file.readAll());
        text.replace(u"\r\n"_s, u"\n"_s);
        tabs->addTab(QFileInfo(args[1]).fileName());
        editor->setPlainText(text);
    } else {
        tabs->addTab(u"Без имени"_s);
    }

    if (qEnvironmentVariableIntValue("BARE_EDITOR_QUIT_AFTER_SHOWN") == 1)
        editor->viewport()->installEventFilter(new TQuitAfterPaint(&app));
    window.showMaximized();
#ifdef BARE_EDITOR_WITH_SPLASH
    splash.reset();
#endif
    return QApplication::exec();
}
