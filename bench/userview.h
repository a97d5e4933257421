// Shared by the benchmarks of what a user feels: deterministic pages as a site would hold them
// (Windows-1251 with CR LF), and the closing table that sets every figure beside its bare-Qt
// anchor measured in the same run. QtCore only: the whole-process benchmark uses it too.
#pragma once

#include "app/textfile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace userview {

using namespace Qt::StringLiterals;

constexpr qint64 kMB = 1024 * 1024;

// A fixed linear congruential sequence: the same pages on every run and every machine.
class TSequence {
public:
    explicit TSequence(quint32 seed) : FState(seed) {}
    int Below(int n) {
        FState = FState * 1664525u + 1013904223u;
        return int((FState >> 8) % quint32(n));
    }

private:
    quint32 FState;
};

inline const QStringList& Sentences() {
    static const QStringList sentences = {
        u"Съешь же ещё этих мягких французских булок, да выпей чаю."_s,
        u"В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!"_s,
        u"Статья рассказывает о том, как устроен каталог и где искать нужные материалы."_s,
        u"Здесь собраны заметки о поездках, фотографии и короткие описания маршрутов."_s,
        u"Расписание занятий меняется каждую неделю — следите за новостями раздела."_s,
        u"Подробности можно узнать у администратора сайта или на форуме «Вопросы и ответы»."_s,
        u"Эта страница обновлена после переноса архива на новый сервер."_s,
        u"Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства."_s,
    };
    return sentences;
}

// Page text with a running count of the bytes it takes on disk (one byte a character in
// Windows-1251, and CR LF for every line break).
class TPageText {
public:
    void Add(QStringView s) {
        Text += s;
        Bytes += s.size() + s.count(u'\n');
    }
    QString Text;
    qint64 Bytes = 0;
};

inline void AddHead(TPageText& page, const QString& title, int classes) {
    page.Add(
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n"
        u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\n"
        u"<title>"_s +
        title +
        u"</title>\n<style type=\"text/css\">\nbody { font-family: Verdana, sans-serif; }\n"_s);
    for (int i = 0; i < classes; ++i)
        page.Add(u".c%1 { color: #%2; margin-left: %3px; }\n"_s.arg(i)
                     .arg(i * 40503 % 0xffffff, 6, 16, QChar(u'0'))
                     .arg(i % 7 * 4));
    page.Add(u"</style>\n</head>\n<body>\n"_s);
}

// Sentences with some inline markup, until the page has grown to `untilBytes`; a line break
// after every few sentences keeps the lines as long as hand-written ones.
inline void AddProse(TPageText& page, TSequence& seq, qint64 untilBytes, int pictureNumber = -1) {
    const QStringList& s = Sentences();
    int inLine = 0;
    bool first = true;
    while (page.Bytes < untilBytes || first) {
        QString sentence = s[seq.Below(int(s.size()))];
        switch (seq.Below(6)) {
        case 0:
            sentence = u"<b>"_s + sentence + u"</b>"_s;
            break;
        case 1:
            sentence = u"<i>"_s + sentence + u"</i>"_s;
            break;
        default:
            break;
        }
        if (first && pictureNumber >= 0)
            sentence =
                u"<img src=\"img/foto%1.jpg\" width=\"120\" height=\"90\" alt=\"Фото %1\"> "_s.arg(
                    pictureNumber) +
                sentence;
        first = false;
        page.Add(sentence);
        page.Add(++inLine % 3 == 0 ? u"\n"_s : u" "_s);
    }
}

// A catalogue page of about `bytes` with `links` links, each to its own page in folders that do
// not exist: every link target is missing. Sections of 50 entries; nesting stays at 8 levels.
inline QString CataloguePage(qint64 bytes, int links, quint32 seed = 1) {
    TPageText page;
    TSequence seq(seed);
    AddHead(page, u"Каталог статей"_s, 60);
    page.Add(u"<div id=\"page\">\n<h1>Каталог статей</h1>\n"_s);
    const QString tail = u"</p></li>\n</ul>\n</div>\n</div>\n</body>\n</html>\n"_s;
    const qint64 start = page.Bytes;
    const qint64 body = qMax<qint64>(0, bytes - start - tail.size() - tail.count(u'\n'));
    for (int i = 0; i < links; ++i) {
        if (i > 0)
            page.Add(u"</p></li>\n"_s);
        if (i % 50 == 0) {
            if (i > 0)
                page.Add(u"</ul>\n</div>\n"_s);
            page.Add(
                u"<div class=\"section\" id=\"s%1\">\n<h2>Раздел %1</h2>\n<ul class=\"c%2\">\n"_s
                    .arg(i / 50)
                    .arg(i / 50 % 60));
        }
        page.Add(
            u"<li class=\"c%1\"><a href=\"arhiv/r%2/stat%3.html\" title=\"Статья %3\">Статья %3"
            u"</a>:\n<p>"_s.arg(i % 60)
                .arg(i % 200)
                .arg(i));
        AddProse(page, seq, start + body * (i + 1) / links, i % 8 == 0 ? i / 8 : -1);
    }
    page.Add(tail);
    return page.Text;
}

// A page with `links` links to places in itself ("#p<N>"); only the even ones have their anchor.
inline QString InPageLinksPage(int links) {
    TPageText page;
    TSequence seq(7);
    AddHead(page, u"Оглавление"_s, 10);
    page.Add(u"<h1>Оглавление</h1>\n<ul>\n"_s);
    for (int i = 0; i < links; ++i)
        page.Add(u"<li><a href=\"#p%1\">Раздел %1</a></li>\n"_s.arg(i));
    page.Add(u"</ul>\n"_s);
    for (int i = 0; i < links; i += 2) {
        page.Add(u"<h3><a name=\"p%1\">Раздел %1</a></h3>\n<p>"_s.arg(i));
        page.Add(Sentences()[seq.Below(int(Sentences().size()))]);
        page.Add(u"</p>\n"_s);
    }
    page.Add(u"</body>\n</html>\n"_s);
    return page.Text;
}

// A short page whose body is one line of `lineBytes` characters with no blank in it: base64
// data as pasted from an encoder (a line breaks after "+" and "/"), or, with `breakable` false,
// letters only, where a wrapped layout finds no place to break at all.
inline QString LongLinePage(qint64 lineBytes, bool breakable = true) {
    TPageText page;
    AddHead(page, u"Одна строка"_s, 3);
    QString line = u"<p>"_s;
    line.reserve(lineBytes + 8);
    const QString run = breakable
                            ? u"R0lGODlhEAAQAPIAAP///wAAAMLCwkJCQgAAAGJiYoKCgpKSkiH+GkNyZWF0ZWQ"_s
                            : u"ПриветМирЭтоОченьДлиннаяСтрокаБезПробеловHelloWorldLongLine"_s;
    while (line.size() < lineBytes - 4)
        line += run;
    line.truncate(lineBytes - 4);
    line += u"</p>\n"_s;
    page.Add(line);
    page.Add(u"</body>\n</html>\n"_s);
    return page.Text;
}

// A page of about `bytes` holding about `tags` tags (opening and closing ones each count):
// paragraphs, bold and italic runs, and every tenth element a link to a missing page.
inline QString TagsPage(qint64 bytes, int tags) {
    TPageText page;
    AddHead(page, u"Страница с разметкой"_s, 0);
    const QString tail = u"</body>\n</html>\n"_s;
    constexpr int headTags = 12; // html, head, meta, title, /title, style, /style, /head, body...
    const int elements = qMax(1, (tags - headTags) / 2);
    const qint64 start = page.Bytes;
    const qint64 body = bytes - start - tail.size() - tail.count(u'\n');
    // One long run of prose to cut each element's text from, broken into lines of about 100.
    QString prose;
    {
        TSequence seq(3);
        while (prose.size() < 4096)
            prose += Sentences()[seq.Below(int(Sentences().size()))] + u' ';
    }
    qsizetype from = 0;
    qsizetype line = 0;
    for (int i = 0; i < elements; ++i) {
        QString open, close;
        if (i % 10 == 9) {
            open = u"<a href=\"stat%1.html\">"_s.arg(i);
            close = u"</a>"_s;
        } else {
            static const char16_t* const names[] = {u"p", u"b", u"i", u"span", u"em"};
            const QString name = QString::fromUtf16(names[i % 5]);
            open = u'<' + name + u'>';
            close = u"</"_s + name + u'>';
        }
        const qint64 goal = start + body * (i + 1) / elements;
        qint64 room = goal - page.Bytes - open.size() - close.size() - 2;
        page.Add(open);
        line += open.size();
        while (room > 0) {
            const qsizetype n =
                qMin<qsizetype>(qMin<qint64>(room, qMax(1, 100 - line)), prose.size() - from);
            page.Add(QStringView(prose).mid(from, n));
            line += n;
            room -= n;
            from = (from + n) % (prose.size() - 1);
            if (room > 0) {
                page.Add(u"\n"_s);
                line = 0;
                room -= 2;
            }
        }
        page.Add(close);
        // Short elements flow on in lines of about 100 characters, as in a paragraph, so both
        // pages have lines of the same length and the comparison is one of tags only.
        line += close.size();
        if (line >= 100) {
            page.Add(u"\n"_s);
            line = 0;
        } else {
            page.Add(u" "_s);
            line += 1;
        }
    }
    page.Add(tail);
    return page.Text;
}

// Writes a page the way the program stores pages; a page that cannot be written ends the run.
inline QString WritePage(const QString& folder, const QString& name, const QString& text) {
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    QFile f(path);
    const QByteArray bytes = ToFileBytes(text);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path;
}

inline qint64 FileBytes(const QString& path) {
    return QFile(path).size();
}

// What a bare Qt program does to show a page: the file's bytes decoded from Windows-1251 by Qt
// and the CR LF line breaks made LF.
inline QString BareDecode(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid()) {
        std::fprintf(stderr, "Qt has no Windows-1251 decoder here\n");
        std::exit(1);
    }
    QString text = decoder.decode(bytes);
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

// ---- the closing table ----------------------------------------------------------------------

// Keeps every case's time (ms a round) and counters for the table printed after the run.
class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: the runs are often kept in a file.
    TCollectingReporter()
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration)
                continue;
            Ms[r.run_name.function_name] =
                r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1000.0;
            for (const auto& [name, counter] : r.counters)
                Counters[r.run_name.function_name][name] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Ms;
    std::map<std::string, std::map<std::string, double>> Counters;
};

// The middle value (the mean of the two middle ones); 0 for none. A figure taken as the median
// of its rounds is not moved by one round that the machine slowed.
inline double Median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One line of the table: a figure, its anchor (or the figure it is compared with) and the
// ratio. Without a counter name the figures are times in ms; with one, that counter's values.
struct TComparison {
    std::string Title;
    std::string Measured;
    std::string Anchor;
    std::string Counter = {};
    std::string Unit = "ms";
    std::string AnchorCounter = {}; // the anchor's counter, when not named as the figure's
};

inline void PrintTable(const TCollectingReporter& reporter, const char* scope,
                       const std::vector<TComparison>& rows) {
    std::printf("\n== %s\n", scope);
    std::printf("%-66s %14s %14s %9s\n", "figure", "measured", "anchor", "ratio");
    for (const TComparison& row : rows) {
        double a = 0, b = 0;
        if (row.Counter.empty()) {
            const auto ia = reporter.Ms.find(row.Measured);
            const auto ib = reporter.Ms.find(row.Anchor);
            if (ia == reporter.Ms.end() || ib == reporter.Ms.end())
                continue; // filtered out or failed: its error is in the log above
            a = ia->second;
            b = ib->second;
        } else {
            const std::string& anchorCounter =
                row.AnchorCounter.empty() ? row.Counter : row.AnchorCounter;
            const auto ia = reporter.Counters.find(row.Measured);
            const auto ib = reporter.Counters.find(row.Anchor);
            if (ia == reporter.Counters.end() || ib == reporter.Counters.end() ||
                !ia->second.count(row.Counter) || !ib->second.count(anchorCounter))
                continue;
            a = ia->second.at(row.Counter);
            b = ib->second.at(anchorCounter);
        }
        std::printf("%-66s %11.2f %-2s %11.2f %-2s %8.2fx\n", row.Title.c_str(), a,
                    row.Unit.c_str(), b, row.Unit.c_str(), b > 0 ? a / b : 0.0);
        std::printf("    (%s / %s)\n", row.Measured.c_str(), row.Anchor.c_str());
    }
    std::fflush(stdout);
}

// Runs the registered cases with the collecting reporter; false when the arguments were bad.
inline bool RunCases(int* argc, char** argv, TCollectingReporter* reporter) {
    benchmark::Initialize(argc, argv);
    if (benchmark::ReportUnrecognizedArguments(*argc, argv))
        return false;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return true;
}

} // namespace userview
