// The navigator's refresh button on pages full of links to places in the page (in-process):
// 20,000 and 40,000 "#" links, half of them to anchors that exist. The refresh rescans the page,
// rebuilds the list when it changed and checks every link's mark again. The anchor is a bare
// QListWidget cleared and filled with as many rows; 40k/20k shows how each grows.
#include "bench/userview_window.h"
#include "html/HTMLParser.h"

#include <QListWidget>

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

TBenchHome* gHome = nullptr;

QString Page(int links) {
    static std::map<int, QString> paths;
    QString& path = paths[links];
    if (path.isEmpty())
        path = WritePage(gHome->Pages(), u"contents_%1.html"_s.arg(links), InPageLinksPage(links));
    return path;
}

void RefreshInWindow(benchmark::State& state, int links) {
    std::unique_ptr<TfrmMain> w = ShownWindow();
    OpenInWindow(*w, Page(links));
    Settle();
    if (NavigatorRows(*w) < links) {
        state.SkipWithError("the navigator does not list the links");
        DropWindow(w);
        return;
    }
    std::vector<double> rounds;
    for (auto _ : state) {
        const quint64 scans = w->HpParser->ScanCount();
        rounds.push_back(TimeRound(state, [&] {
            w->acUpdatePage->trigger();
            Settle();
        }));
        if (w->HpParser->ScanCount() == scans) {
            state.SkipWithError("the refresh did not scan the page");
            break;
        }
    }
    state.counters["median_ms"] = Median(rounds);
    state.counters["rows"] = NavigatorRows(*w);
    state.counters["page_MB"] = double(FileBytes(Page(links))) / kMB;
    DropWindow(w);
}

void FillBareList(benchmark::State& state, int links) {
    QStringList rows;
    for (int i = 0; i < links; ++i)
        rows << u"#p%1"_s.arg(i);
    QListWidget list;
    list.resize(250, 600);
    list.show();
    if (!QTest::qWaitForWindowExposed(&list))
        qWarning("list not exposed");
    list.addItems(rows);
    Settle();
    std::vector<double> rounds;
    for (auto _ : state) {
        rounds.push_back(TimeRound(state, [&] {
            list.clear();
            list.addItems(rows);
            Settle();
        }));
    }
    state.counters["median_ms"] = Median(rounds);
    state.counters["rows"] = list.count();
}

} // namespace

int main(int argc, char** argv) {
    TBenchApp bench(argc, argv);
    gHome = &bench.Home;

    for (int links : {20000, 40000}) {
        const std::string n = std::to_string(links / 1000) + "k";
        benchmark::RegisterBenchmark(("quorvane_navigator_refresh/" + n).c_str(),
                                     [links](benchmark::State& s) { RefreshInWindow(s, links); })
            ->UseManualTime()
            ->Iterations(9)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("bare_listwidget_fill/" + n).c_str(),
                                     [links](benchmark::State& s) { FillBareList(s, links); })
            ->UseManualTime()
            ->Iterations(9)
            ->Unit(benchmark::kMillisecond);
    }

    TCollectingReporter reporter;
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    PrintTable(reporter,
               "in-process (timed inside this process: the refresh command until the loop has "
               "settled; anchor: a bare QListWidget cleared and filled with as many rows)",
               {{"navigator refresh, 20000 \"#\" links (half to anchors)",
                 "quorvane_navigator_refresh/20k", "bare_listwidget_fill/20k"},
                {"navigator refresh, 40000 \"#\" links (half to anchors)",
                 "quorvane_navigator_refresh/40k", "bare_listwidget_fill/40k"},
                {"growth 40k/20k: navigator refresh (2.00 is linear)",
                 "quorvane_navigator_refresh/40k", "quorvane_navigator_refresh/20k"},
                {"growth 40k/20k: navigator refresh, medians of the rounds",
                 "quorvane_navigator_refresh/40k", "quorvane_navigator_refresh/20k", "median_ms"},
                {"growth 40k/20k: bare QListWidget fill (2.00 is linear)",
                 "bare_listwidget_fill/40k", "bare_listwidget_fill/20k"},
                {"growth 40k/20k: bare QListWidget fill, medians of the rounds",
                 "bare_listwidget_fill/40k", "bare_listwidget_fill/20k", "median_ms"}});
    return 0;
}
