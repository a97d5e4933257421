// Opening pages that are hard in their own way (in-process), from the open command until the
// editor is laid out and painted and the navigator filled:
// - one 1 MB line without a blank (base64 data), with the word-wrap setting on and off (the
//   window shows such a page unwrapped either way); the anchor is a bare QPlainTextEdit with
//   wrap on and off. Then a 1 MB line of letters only, which a wrapped layout cannot break
//   anywhere: a bare editor with wrap on is timed on 100 kB and 200 kB of it only, as its time
//   grows with the square of the line.
// - a 2 MB page of 100,000 tags against a 2 MB page with few tags; anchor: the bare editor
//   opening each.
#include "bench/userview_window.h"

#include <QListWidget>

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

TBenchHome* gHome = nullptr;

enum TPage {
    pgLongLine,
    pgUnbreakable,
    pgUnbreakable100k,
    pgUnbreakable200k,
    pgManyTags,
    pgFewTags
};

QString Page(TPage page) {
    static std::map<int, QString> paths;
    QString& path = paths[page];
    if (!path.isEmpty())
        return path;
    switch (page) {
    case pgLongLine:
        path = WritePage(gHome->Pages(), u"longline.html"_s, LongLinePage(kMB));
        break;
    case pgUnbreakable:
        path = WritePage(gHome->Pages(), u"unbreakable.html"_s, LongLinePage(kMB, false));
        break;
    case pgUnbreakable100k:
        path =
            WritePage(gHome->Pages(), u"unbreakable100k.html"_s, LongLinePage(100 * 1024, false));
        break;
    case pgUnbreakable200k:
        path =
            WritePage(gHome->Pages(), u"unbreakable200k.html"_s, LongLinePage(200 * 1024, false));
        break;
    case pgManyTags:
        path = WritePage(gHome->Pages(), u"manytags.html"_s, TagsPage(2 * kMB, 100000));
        break;
    case pgFewTags:
        path = WritePage(gHome->Pages(), u"fewtags.html"_s, TagsPage(2 * kMB, 60));
        break;
    }
    return path;
}

// The window is made once a case; each round opens the page into the emptied window.
void OpenInWindowCase(benchmark::State& state, TPage page, bool wordWrap) {
    const QString path = Page(page);
    std::unique_ptr<TfrmMain> w = ShownWindow();
    w->acWordWrap->setChecked(wordWrap);
    const auto open = [&] {
        OpenInWindow(*w, path);
        Settle();
        w->reSource->viewport()->repaint();
    };
    // One untimed round first: the process's first drawing of these characters (glyphs, font
    // caches) would otherwise fall on whichever case runs first.
    open();
    w->CloseAllDocuments();
    Settle();
    for (auto _ : state) {
        TimeRound(state, open);
        if (w->DocumentCount() != 1) {
            state.SkipWithError("the page did not open");
            break;
        }
        state.counters["navigator_rows"] = NavigatorRows(*w);
        w->CloseAllDocuments();
        Settle();
    }
    state.counters["page_MB"] = double(FileBytes(path)) / kMB;
    DropWindow(w);
}

void OpenInBareEditor(benchmark::State& state, TPage page, bool wordWrap) {
    const QString path = Page(page);
    std::unique_ptr<QPlainTextEdit> ed = ShownBareEditor();
    ed->setLineWrapMode(wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const auto open = [&] {
        BareOpen(*ed, path);
        Settle();
        ed->viewport()->repaint();
    };
    open(); // untimed, as for the window
    ed->clear();
    Settle();
    for (auto _ : state) {
        TimeRound(state, open);
        if (ed->document()->characterCount() < 1000) {
            state.SkipWithError("the page did not open");
            break;
        }
        ed->clear();
        Settle();
    }
    state.counters["page_MB"] = double(FileBytes(path)) / kMB;
}

void Register(const char* name, int rounds, void (*fn)(benchmark::State&, TPage, bool), TPage page,
              bool wrap) {
    benchmark::RegisterBenchmark(name, [=](benchmark::State& s) { fn(s, page, wrap); })
        ->UseManualTime()
        ->Iterations(rounds)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    TBenchApp bench(argc, argv);
    gHome = &bench.Home;

    Register("quorvane_open_1MB_line/wrap_on", 3, OpenInWindowCase, pgLongLine, true);
    Register("quorvane_open_1MB_line/wrap_off", 3, OpenInWindowCase, pgLongLine, false);
    Register("bare_open_1MB_line/wrap_on", 3, OpenInBareEditor, pgLongLine, true);
    Register("bare_open_1MB_line/wrap_off", 3, OpenInBareEditor, pgLongLine, false);
    Register("quorvane_open_1MB_unbreakable/wrap_on", 2, OpenInWindowCase, pgUnbreakable, true);
    Register("bare_open_1MB_unbreakable/wrap_off", 2, OpenInBareEditor, pgUnbreakable, false);
    Register("bare_open_100kB_unbreakable/wrap_on", 1, OpenInBareEditor, pgUnbreakable100k, true);
    Register("bare_open_200kB_unbreakable/wrap_on", 1, OpenInBareEditor, pgUnbreakable200k, true);
    Register("quorvane_open_2MB/100k_tags", 3, OpenInWindowCase, pgManyTags, true);
    Register("quorvane_open_2MB/few_tags", 3, OpenInWindowCase, pgFewTags, true);
    Register("bare_open_2MB/100k_tags", 3, OpenInBareEditor, pgManyTags, true);
    Register("bare_open_2MB/few_tags", 3, OpenInBareEditor, pgFewTags, true);

    TCollectingReporter reporter;
    EditorLook();
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    PrintTable(
        reporter,
        "in-process (timed inside this process: from the open command until the loop has "
        "settled and the editor has repainted, the navigator filled; anchor: a bare "
        "QPlainTextEdit reading, decoding and showing the same file)",
        {{"open one 1 MB line (base64), word wrap on", "quorvane_open_1MB_line/wrap_on",
          "bare_open_1MB_line/wrap_on"},
         {"open one 1 MB line (base64), word wrap off", "quorvane_open_1MB_line/wrap_off",
          "bare_open_1MB_line/wrap_off"},
         {"1 MB line (base64): word wrap on / off", "quorvane_open_1MB_line/wrap_on",
          "quorvane_open_1MB_line/wrap_off"},
         {"open one 1 MB line of letters only, word wrap on (anchor: off)",
          "quorvane_open_1MB_unbreakable/wrap_on", "bare_open_1MB_unbreakable/wrap_off"},
         {"bare, letters-only line wrapped: 200 kB / 100 kB (4 is square)",
          "bare_open_200kB_unbreakable/wrap_on", "bare_open_100kB_unbreakable/wrap_on"},
         {"open 2 MB page of 100,000 tags", "quorvane_open_2MB/100k_tags",
          "bare_open_2MB/100k_tags"},
         {"open 2 MB page with few tags", "quorvane_open_2MB/few_tags", "bare_open_2MB/few_tags"},
         {"2 MB: 100,000 tags / few tags", "quorvane_open_2MB/100k_tags",
          "quorvane_open_2MB/few_tags"},
         {"bare, 2 MB: 100,000 tags / few tags", "bare_open_2MB/100k_tags",
          "bare_open_2MB/few_tags"}});
    return 0;
}
