// The in-process side of the user-view benchmarks: the real main window on an isolated program
// home, driven as a user drives it, and the bare Qt editor that serves as its anchor.
#pragma once

#include "app/RichEditEx.h"
#include "app/documentset.h"
#include "app/main2.h"
#include "bench/userview.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace userview {

// The program's settings, projects and templates go to a temporary folder for the run, and the
// pages to another.
class TBenchHome {
public:
    TBenchHome() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QUORVANE_HOME", FHome.path().toLocal8Bit());
    }
    QString Pages() const { return FPages.path(); }

private:
    QTemporaryDir FHome;
    QTemporaryDir FPages;
};

// What every window benchmark starts with: the offscreen platform unless another was asked
// for, one application, and an isolated program home.
class TBenchApp {
    static int& OffscreenUnlessSet(int& argc) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
    QApplication FApp; // first: the members are made in the order they stand

public:
    TBenchApp(int& argc, char** argv) : FApp(OffscreenUnlessSet(argc), argv) {}
    TBenchHome Home;
};

// Lets the event loop handle what the last action posted: paints, layout, queued calls.
inline void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Processes events until the condition holds; false when it did not within the time.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 60000) {
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

constexpr QSize kWindowSize(1200, 800);

// The editor's font and wrap mode as the main window sets them up, so the bare editor lays its
// text out the same way.
struct TEditorLook {
    QFont Font;
    QPlainTextEdit::LineWrapMode Wrap = QPlainTextEdit::WidgetWidth;
    QSize Size;
};

inline const TEditorLook& EditorLook() {
    static const TEditorLook look = [] {
        TfrmMain w;
        w.resize(kWindowSize);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            qWarning("main window not exposed");
        return TEditorLook{w.reSource->font(), w.reSource->lineWrapMode(), w.reSource->size()};
    }();
    return look;
}

// The real window, shown and focused as after a start.
inline std::unique_ptr<TfrmMain> ShownWindow() {
    auto w = std::make_unique<TfrmMain>();
    w->resize(kWindowSize);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        qWarning("main window not exposed");
    w->activateWindow();
    w->reSource->setFocus();
    Settle();
    return w;
}

// The navigator's element list, found by its name wherever the window keeps it.
inline QListWidget* NavigatorList(TfrmMain& w) {
    return w.findChild<QListWidget*>(u"lvContent"_s);
}

inline int NavigatorRows(TfrmMain& w) {
    const QListWidget* list = NavigatorList(w);
    return list ? list->count() : -1;
}

inline void OpenInWindow(TfrmMain& w, const QString& path) {
    w.PendingPath = path;
    w.RunCommand([&w] { w.OpenDocument(osGivenPath); });
}

// Closes the window without prompts for the typing the cases did.
inline void DropWindow(std::unique_ptr<TfrmMain>& w) {
    if (!w)
        return;
    for (int i = 0; i < w->DocumentCount(); ++i)
        w->Documents->At(i)->setModified(false);
    w->reSource->SetModified(false);
    w.reset();
}

// The anchor: a bare QPlainTextEdit as large as the window's editor, with its font and wrap.
inline std::unique_ptr<QPlainTextEdit> ShownBareEditor() {
    auto ed = std::make_unique<QPlainTextEdit>();
    const TEditorLook& look = EditorLook();
    ed->setFont(look.Font);
    ed->setLineWrapMode(look.Wrap);
    ed->resize(look.Size);
    ed->show();
    if (!QTest::qWaitForWindowExposed(ed.get()))
        qWarning("bare editor not exposed");
    ed->activateWindow();
    ed->setFocus();
    Settle();
    return ed;
}

// A bare editor opening a page: read, decode, show, laid out.
inline void BareOpen(QPlainTextEdit& ed, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    ed.setPlainText(BareDecode(f.readAll()));
}

// Times one round as the iteration's time; returns it in ms.
template <typename F> double TimeRound(benchmark::State& state, F&& round) {
    QElapsedTimer clock;
    clock.start();
    round();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    state.SetIterationTime(seconds);
    return seconds * 1e3;
}

} // namespace userview
