// Switching between two open 5 MB pages (in-process): a click on the other tab until the editor
// shows the other document and the event loop has handled what the switch posted. The window
// also rescans the page for the navigator and checks its links. The anchor is a bare
// QPlainTextEdit switched between two QTextDocuments with setDocument.
#include "bench/userview_window.h"

#include <QPlainTextDocumentLayout>
#include <QTabBar>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

constexpr int kMb = 5;
constexpr int kLinks = 10000;

TBenchHome* gHome = nullptr;

QString Page(int n) {
    static QString paths[2];
    if (paths[n].isEmpty())
        paths[n] = WritePage(gHome->Pages(), u"tab%1.html"_s.arg(n),
                             CataloguePage(kMb * kMB, kLinks, quint32(n + 1)));
    return paths[n];
}

void SwitchInWindow(benchmark::State& state) {
    std::unique_ptr<TfrmMain> w = ShownWindow();
    OpenInWindow(*w, Page(0));
    OpenInWindow(*w, Page(1));
    Settle();
    if (w->DocumentCount() != 2) {
        state.SkipWithError("the pages did not open");
        DropWindow(w);
        return;
    }
    for (auto _ : state) {
        const int next = 1 - w->CurrentIndex();
        QTextDocument* shown = w->Documents->At(next)->TextDocument();
        bool switched = false;
        TimeRound(state, [&] {
            w->tcEditor->setCurrentIndex(next);
            switched = WaitFor([&] { return w->reSource->document() == shown; }, 10000);
            Settle();
        });
        if (!switched) {
            state.SkipWithError("the editor did not show the other page");
            break;
        }
    }
    state.counters["navigator_rows"] = NavigatorRows(*w);
    DropWindow(w);
}

void SwitchInBareEditor(benchmark::State& state) {
    std::unique_ptr<QPlainTextEdit> ed = ShownBareEditor();
    std::unique_ptr<QTextDocument> docs[2];
    for (int n = 0; n < 2; ++n) {
        docs[n] = std::make_unique<QTextDocument>();
        docs[n]->setDocumentLayout(new QPlainTextDocumentLayout(docs[n].get()));
        docs[n]->setDefaultFont(ed->font());
        QFile f(Page(n));
        if (f.open(QIODevice::ReadOnly))
            docs[n]->setPlainText(BareDecode(f.readAll()));
    }
    ed->setDocument(docs[1].get());
    Settle();
    int next = 0;
    for (auto _ : state) {
        TimeRound(state, [&] {
            ed->setDocument(docs[next].get());
            Settle();
        });
        next = 1 - next;
    }
    ed.reset(); // before the documents it shows
}

} // namespace

int main(int argc, char** argv) {
    TBenchApp bench(argc, argv);
    gHome = &bench.Home;

    benchmark::RegisterBenchmark("quorvane_switch_tabs/5MB", SwitchInWindow)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("bare_plaintextedit_setdocument/5MB", SwitchInBareEditor)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);

    TCollectingReporter reporter;
    EditorLook();
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    PrintTable(reporter,
               "in-process (timed inside this process: from the tab switch until the editor shows "
               "the other page and the loop has settled; anchor: QPlainTextEdit::setDocument "
               "between two QTextDocuments holding the same pages)",
               {{"switch between two 5 MB tabs (10000 links each)", "quorvane_switch_tabs/5MB",
                 "bare_plaintextedit_setdocument/5MB"}});
    return 0;
}
