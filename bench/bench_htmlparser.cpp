// Speed of the page scanner against a full HTML parser (gumbo) on the same generated page, and
// how the scan grows from a 1 MB to a 10 MB page. Prints a summary after the benchmark table:
// the gumbo/scanner time ratio, the 10 MB/1 MB time factor and the peak extra heap of a scan.

#include "html/HTMLParser.h"

#include <benchmark/benchmark.h>
#include <gumbo.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MB = 1024 * 1024;

// A page as people write them by hand: a head with meta, link, style and script, then a long
// body of catalogue entries with links, pictures, tables, Russian text, an inline script now and
// then, comments, forms and frames. Deterministic, so every run sees the same page.
QString MakePage(qsizetype size) {
    std::mt19937 rng(1251);
    const auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    static const QString Words[] = {
        u"товар"_s,  u"цена"_s,     u"доставка"_s, u"Москва"_s,   u"каталог"_s, u"новинка"_s,
        u"скидка"_s, u"качество"_s, u"гарантия"_s, u"описание"_s, u"размер"_s,  u"цвет"_s,
        u"the"_s,    u"and"_s,      u"магазин"_s,  u"заказ"_s,    u"склад"_s,   u"Ёлка"_s};
    const auto sentence = [&] {
        QString s;
        const int n = 8 + pick(16);
        for (int i = 0; i < n; ++i) {
            if (i)
                s += u' ';
            s += Words[pick(int(std::size(Words)))];
        }
        return s + u'.';
    };
    const auto styleBlock = [&] {
        // Rules stand in the style element itself, not inside a comment, as on today's pages.
        QString s = u"<style type=\"text/css\">\n"_s;
        for (int i = 0; i < 12; ++i)
            s += u".c%1 { margin: 1.5em; font: 12px Verdana; background: url(img/bg%2.gif) }\n"_s
                     .arg(pick(400))
                     .arg(i);
        return s + u"</style>\n"_s;
    };

    QString page;
    page.reserve(size + 4096);
    page += u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n"
            "<meta name=\"Keywords\" content=\"каталог, товары, доставка\">\n"
            "<meta name=\"Description\" content=\"Каталог товаров с доставкой\">\n"
            "<title>Каталог товаров — все разделы</title>\n"
            "<link rel=\"stylesheet\" type=\"text/css\" href=\"css/main.css\">\n"_s;
    page += styleBlock();
    page += u"<script type=\"text/javascript\" src=\"js/menu.js\"></script>\n"
            "</head>\n<body bgcolor=\"#ffffff\" text=\"#000000\">\n"_s;
    int entry = 0;
    while (page.size() < size) {
        ++entry;
        const int item = pick(20000);
        page += u"<div class=\"item\">\n<h2><a href=\"catalog/item%1.html\" title=\"Товар %1\">"
                "Товар номер %1</a></h2>\n"_s.arg(item);
        page += u"<p><img src=\"images/photo%1.jpg\" width=\"120\" height=\"90\" alt=\"Фото\" "
                "border=\"0\" align=\"left\">%2 %3</p>\n"_s.arg(item)
                    .arg(sentence(), sentence());
        page += u"<table border=\"0\" cellpadding=\"2\"><tr><td>Цена:</td><td><b>%1 руб.</b>"
                "</td><td><a href=\"basket.php?add=%2\"><img src=\"img/buy.gif\" alt=\"Купить\">"
                "</a></td></tr></table>\n"_s.arg(100 + pick(9000))
                    .arg(item);
        page += u"<p>"_s + sentence() +
                u" <a href=\"section%1/index.html\">Раздел %1</a> "_s.arg(pick(60)) + sentence() +
                u"<br>\n"_s + sentence() + u"</p>\n"_s;
        // Every item is closed: nesting stays shallow, as on a real page.
        page += u"</div>\n"_s;
        if (entry % 10 == 0)
            page += u"<!-- конец группы %1 -->\n<hr size=\"1\" noshade>\n"_s.arg(entry);
        if (entry % 25 == 0)
            page += u"<script type=\"text/javascript\">\nfor (var i = 0; i < 10; i++) "
                    "{ if (a[i] > 0) document.write('<b>' + a[i] + '</b>'); }\n</script>\n"_s;
        if (entry % 40 == 0)
            page += styleBlock();
        if (entry % 60 == 0)
            page += u"<form name=\"search%1\" action=\"find.php\"><input type=\"text\" "
                    "name=\"q\"></form>\n<a name=\"part%1\"></a>\n"_s.arg(entry);
        if (entry % 150 == 0)
            page += u"<iframe src=\"banner%1.html\" width=\"468\" height=\"60\"></iframe>\n"
                    "<embed src=\"movie%1.swf\">\n"_s.arg(pick(10));
    }
    page += u"</body>\n</html>\n"_s;
    return page;
}

struct TPage {
    QString Text;
    std::string Utf8;
};

const TPage& Page(qsizetype size) {
    static std::map<qsizetype, TPage> pages;
    auto it = pages.find(size);
    if (it == pages.end()) {
        TPage p;
        p.Text = MakePage(size);
        p.Utf8 = p.Text.toStdString();
        it = pages.emplace(size, std::move(p)).first;
    }
    return it->second;
}

// What the navigator's hyperlink and image lists hold, taken from gumbo's tree.
std::vector<std::string> GumboLinks(const std::string& html) {
    std::vector<std::string> found;
    GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
    std::vector<const GumboNode*> stack{out->root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE)
            continue;
        const GumboElement& el = node->v.element;
        const char* attr = el.tag == GUMBO_TAG_A     ? "href"
                           : el.tag == GUMBO_TAG_IMG ? "src"
                                                     : nullptr;
        if (attr) {
            if (const GumboAttribute* a = gumbo_get_attribute(&el.attributes, attr))
                found.emplace_back(a->value);
        }
        for (unsigned i = el.children.length; i > 0; --i)
            stack.push_back(static_cast<const GumboNode*>(el.children.data[i - 1]));
    }
    gumbo_destroy_output(&kGumboDefaultOptions, out);
    return found;
}

void BM_Scanner(benchmark::State& state, qsizetype size) {
    const TPage& page = Page(size);
    THTMLParser parser;
    qint64 tags = 0;
    QObject::connect(&parser, &THTMLParser::OnParse, &parser, [&tags] { ++tags; });
    for (auto _ : state) {
        parser.Parse(page.Text);
        benchmark::DoNotOptimize(parser.HyperLinks().size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.Text.size());
    state.counters["tags"] = double(tags / std::max<int64_t>(1, state.iterations()));
    state.counters["links"] = double(parser.HyperLinks().size() + parser.Images().size());
}

void BM_Gumbo(benchmark::State& state, qsizetype size) {
    const TPage& page = Page(size);
    size_t links = 0;
    for (auto _ : state) {
        const auto found = GumboLinks(page.Utf8);
        links = found.size();
        benchmark::DoNotOptimize(links);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.Text.size());
    state.counters["links"] = double(links);
}

// Keeps the fastest CPU time per iteration of every benchmark while printing the usual table.
class TRecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Best; // seconds
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred || r.iterations == 0)
                continue;
            const double t = r.cpu_accumulated_time / double(r.iterations);
            auto [it, fresh] = Best.emplace(r.run_name.function_name, t);
            if (!fresh)
                it->second = std::min(it->second, t);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

qint64 HeapInUse() {
    const struct mallinfo2 mi = mallinfo2();
    return qint64(mi.uordblks) + qint64(mi.hblkhd);
}

// Peak heap growth during one scan of the page (results included), sampled at every tag.
qint64 PeakExtraHeap(const QString& text) {
    THTMLParser parser;
    const qint64 base = HeapInUse();
    qint64 peak = base;
    QObject::connect(&parser, &THTMLParser::OnParse, &parser,
                     [&peak] { peak = std::max(peak, HeapInUse()); });
    parser.Parse(text);
    peak = std::max(peak, HeapInUse());
    return peak - base;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const std::pair<const char*, qsizetype> sizes[] = {{"1MB", 1 * MB}, {"10MB", 10 * MB}};
    for (const auto& [label, size] : sizes) {
        const qsizetype bytes = size;
        benchmark::RegisterBenchmark((std::string("scanner/") + label).c_str(),
                                     [bytes](benchmark::State& s) { BM_Scanner(s, bytes); })
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5);
        benchmark::RegisterBenchmark((std::string("gumbo/") + label).c_str(),
                                     [bytes](benchmark::State& s) { BM_Gumbo(s, bytes); })
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(3)
            ->MinTime(0.2);
    }

    // Memory first, while the heap holds nothing but the pages.
    std::map<std::string, qint64> extra;
    for (const auto& [label, size] : sizes)
        Page(size);
    for (const auto& [label, size] : sizes)
        extra[label] = PeakExtraHeap(Page(size).Text);

    TRecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto best = [&](const std::string& name) {
        const auto it = reporter.Best.find(name);
        return it == reporter.Best.end() ? 0.0 : it->second;
    };
    std::printf("\nSummary (fastest CPU time of the repetitions):\n");
    for (const auto& [label, size] : sizes) {
        const double scan = best(std::string("scanner/") + label);
        const double gumbo = best(std::string("gumbo/") + label);
        const qsizetype chars = Page(size).Text.size();
        std::printf("  %-4s page: %lld chars; scanner %.2f ms (%.0f MB/s), gumbo %.2f ms; "
                    "gumbo/scanner = %.1fx (goal >= 20x)\n",
                    label, static_cast<long long>(chars), scan * 1e3,
                    scan > 0 ? double(chars) / MB / scan : 0.0, gumbo * 1e3,
                    scan > 0 ? gumbo / scan : 0.0);
        std::printf("        peak extra heap during a scan: %.2f MB = %.1f%% of the page text "
                    "(%.2f MB as 8-bit text, %.2f MB in memory)\n",
                    double(extra[label]) / MB, 100.0 * double(extra[label]) / double(chars),
                    double(chars) / MB, double(chars) * 2 / MB);
    }
    const double small = best("scanner/1MB");
    const double large = best("scanner/10MB");
    std::printf("  scanner 10MB / 1MB time factor: %.2f (goal <= 12)\n",
                small > 0 ? large / small : 0.0);
    return 0;
}
