// What typing "=" after an attribute name feels like on large pages (in-process): "<a href" is
// typed into the real window's editor with key clicks, the loop settles, and only the "=" is
// timed, until the completion list is shown and painted. For href the values come from a fresh
// scan of the whole page; for align the list is fixed. The anchor is a bare QPlainTextEdit
// holding the same page and taking the same keystroke.
#include "bench/userview_window.h"
#include "html/HTMLParser.h"

#include <QListWidget>

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

constexpr int kLinksPerMB = 2000; // 40,000 links on the 20 MB page

TBenchHome* gHome = nullptr;

QString Page(int mb) {
    static std::map<int, QString> paths;
    QString& path = paths[mb];
    if (path.isEmpty())
        path = WritePage(gHome->Pages(), u"catalogue_%1mb.html"_s.arg(mb),
                         CataloguePage(mb * kMB, mb * kLinksPerMB));
    return path;
}

// Where the attribute is typed: the start of a line in the middle of the page, between two
// list entries.
int TypingPlace(const QString& text) {
    return int(text.indexOf(u"\n<li"_s, text.size() / 2)) + 1;
}

// One window and one bare editor at a time, both on the page of the size now measured.
struct TWindowCase {
    int Mb = 0;
    std::unique_ptr<TfrmMain> W;
    int Caret = 0;
} gWindow;

struct TBareCase {
    int Mb = 0;
    std::unique_ptr<QPlainTextEdit> Ed;
    int Caret = 0;
} gBare;

TfrmMain* WindowOn(int mb) {
    if (gWindow.Mb != mb || !gWindow.W) {
        DropWindow(gWindow.W);
        gBare.Ed.reset();
        gWindow.W = ShownWindow();
        OpenInWindow(*gWindow.W, Page(mb));
        Settle();
        gWindow.Mb = mb;
        gWindow.Caret = TypingPlace(gWindow.W->reSource->Text());
    }
    return gWindow.W.get();
}

QPlainTextEdit* BareOn(int mb) {
    if (gBare.Mb != mb || !gBare.Ed) {
        DropWindow(gWindow.W);
        gBare.Ed.reset();
        gBare.Ed = ShownBareEditor();
        BareOpen(*gBare.Ed, Page(mb));
        Settle();
        gBare.Mb = mb;
        gBare.Caret = TypingPlace(gBare.Ed->toPlainText());
    }
    return gBare.Ed.get();
}

// The text at a place in an editor, without copying the whole page.
QString TextAt(QPlainTextEdit* ed, int start, int length) {
    QTextCursor c(ed->document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    return c.selectedText();
}

// Types `typed` (what comes before the "=", e.g. "<a href") at the place, lets the loop settle
// and returns whether the editor holds it.
bool TypeAt(QPlainTextEdit* ed, int caret, const QString& typed) {
    ed->setFocus();
    QTextCursor c = ed->textCursor();
    c.setPosition(caret);
    ed->setTextCursor(c);
    QTest::keyClicks(ed, typed);
    Settle();
    return TextAt(ed, caret, int(typed.size())) == typed;
}

// Takes the typed text and the "=" out again, so every round types into the same page.
bool Untype(QPlainTextEdit* ed, int caret, const QString& typed) {
    const int n = int(typed.size()) + 1;
    if (TextAt(ed, caret, n) != typed + u'=')
        return false;
    QTextCursor c(ed->document());
    c.setPosition(caret);
    c.setPosition(caret + n, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    Settle();
    return true;
}

void EqualsInWindow(benchmark::State& state, int mb, const QString& typed) {
    TfrmMain* w = WindowOn(mb);
    TRichEditEx* ed = w->reSource;
    // Found by name wherever the window keeps it.
    QListWidget* list = w->findChild<QListWidget*>(u"lbCompletion"_s);
    if (!list) {
        state.SkipWithError("the window has no completion list");
        return;
    }
    int entries = 0;
    quint64 scans = 0;
    // The blank in what is typed starts a new word, so the attribute name is the typed word.
    for (auto _ : state) {
        if (!TypeAt(ed, gWindow.Caret, typed)) {
            state.SkipWithError("the editor did not take the typed text");
            break;
        }
        const quint64 scansBefore = w->HpParser->ScanCount();

        TimeRound(state, [&] {
            QTest::keyClick(ed, '=');
            WaitFor([list] { return list->isVisible(); }, 10000);
            Settle();
        });

        scans += w->HpParser->ScanCount() - scansBefore;
        if (!list->isVisible() || list->count() == 0) {
            state.SkipWithError("the completion list did not open");
            break;
        }
        entries = list->count();
        QTest::keyClick(list, Qt::Key_Escape);
        if (!Untype(ed, gWindow.Caret, typed)) {
            state.SkipWithError("the \"=\" did not reach the editor");
            break;
        }
    }
    state.counters["entries"] = entries;
    // 1 when the keystroke rescanned the page, 0 when the list needed no scan.
    state.counters["scans"] = benchmark::Counter(double(scans), benchmark::Counter::kAvgIterations);
    state.counters["page_MB"] = double(FileBytes(Page(mb))) / kMB;
}

void EqualsInBareEditor(benchmark::State& state, int mb, const QString& typed) {
    QPlainTextEdit* ed = BareOn(mb);
    for (auto _ : state) {
        if (!TypeAt(ed, gBare.Caret, typed)) {
            state.SkipWithError("the bare editor did not take the typed text");
            break;
        }

        TimeRound(state, [&] {
            QTest::keyClick(ed, '=');
            Settle();
        });

        if (!Untype(ed, gBare.Caret, typed)) {
            state.SkipWithError("the bare editor did not take the keystroke");
            break;
        }
    }
    state.counters["page_MB"] = double(FileBytes(Page(mb))) / kMB;
}

std::string Name(const char* what, int mb) {
    return std::string(what) + "/" + std::to_string(mb) + "MB";
}

} // namespace

int main(int argc, char** argv) {
    TBenchApp bench(argc, argv);
    gHome = &bench.Home;

    std::vector<TComparison> table;
    for (int mb : {1, 5, 20}) {
        // Rounds: the slow cases rescan megabytes each time.
        const int rounds = mb == 20 ? 5 : mb == 5 ? 8 : 10;
        const std::string href = Name("quorvane_href_equals", mb);
        const std::string align = Name("quorvane_align_equals", mb);
        const std::string bare = Name("bare_plaintextedit_equals", mb);
        benchmark::RegisterBenchmark(
            href.c_str(), [mb](benchmark::State& s) { EqualsInWindow(s, mb, u"<a href"_s); })
            ->UseManualTime()
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            align.c_str(), [mb](benchmark::State& s) { EqualsInWindow(s, mb, u"<p align"_s); })
            ->UseManualTime()
            ->Iterations(10)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            bare.c_str(), [mb](benchmark::State& s) { EqualsInBareEditor(s, mb, u"<a href"_s); })
            ->UseManualTime()
            ->Iterations(10)
            ->Unit(benchmark::kMillisecond);
        const std::string size = std::to_string(mb) + " MB, " + std::to_string(mb * kLinksPerMB) +
                                 " links to missing pages";
        table.push_back({"\"=\" after href to list shown, " + size, href, bare});
        table.push_back({"\"=\" after align to list shown, " + size, align, bare});
    }

    TCollectingReporter reporter;
    EditorLook();
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    DropWindow(gWindow.W);
    gBare.Ed.reset();
    PrintTable(reporter,
               "in-process (timed inside this process: the \"=\" key click until the list is "
               "shown and the loop has settled; anchor: the same key click into a bare "
               "QPlainTextEdit with the same page)",
               table);
    return 0;
}
