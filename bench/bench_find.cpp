// Find and replace, timed beside yardsticks in the same run:
// - find across a generated site of about 5,000 files and 100 MB (nested folders, mixed
//   extensions, a quarter of the pages Windows-1251 with Cyrillic text) against
//   `LC_ALL=C grep -rFic` over the same extensions (and ripgrep with one thread, if installed);
//   once the file work alone, once the whole command with the results list;
// - replace across that site (every text file rewritten safely): time and files a second;
// - replace-all in one 1 MB page with 10,000 occurrences, the whole command as one undo step,
//   against a bare QPlainTextEdit given the same new text, and against one edit per occurrence
//   inside one edit block.
#include "app/textfile.h"
#include "bench/userview_window.h"
#include "site/findlogic.h"
#include "site/findreplace.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

TBenchHome* gHome = nullptr;
const QString kNeedle = u"catalogue"_s;

// The extensions of the site, with how many files of each in 100, and whether they are text.
struct TKind {
    const char16_t* Ext;
    int Share;
};
constexpr TKind kKinds[] = {{u"html", 40}, {u"htm", 8},  {u"php", 5}, {u"css", 10}, {u"js", 10},
                            {u"txt", 9},   {u"gif", 10}, {u"csv", 5}, {u"xml", 3}};
const char* const kGrepIncludes[] = {"*.htm*", "*.xht*",  "*.css*", "*.xml*", "*.asp*",
                                     "*.cfm*", "*.sht*",  "*.xsl*", "*.php*", "*.js",
                                     "*.jsp",  "*.class", "*.vbs",  "*.vba",  "*.txt"};

const QStringList& EnglishSentences() {
    static const QStringList s = {
        u"The index lists every article of the archive with a short note."_s,
        u"Pictures of the trip are kept in the gallery, sorted by the day they were taken."_s,
        u"Read the rules of the forum before you post your first question here."_s,
        u"Prices in the list change every month; the page shows the current ones."_s,
        u"This page was moved to the new server together with the whole archive."_s,
        u"Write to the webmaster when a link of the site leads nowhere."_s,
    };
    return s;
}

// About `bytes` of page text: tags and prose, English or Russian.
QString SiteText(TSequence& seq, qint64 bytes, bool russian, const QString& ext) {
    TPageText page;
    const bool markup = ext.startsWith(u"htm"_s) || ext == u"php"_s || ext == u"xml"_s;
    if (markup)
        AddHead(page, russian ? u"Каталог статей"_s : u"Catalogue of articles"_s, 8);
    const QStringList& sentences = russian ? Sentences() : EnglishSentences();
    int inLine = 0;
    while (page.Bytes < bytes) {
        QString s = sentences[seq.Below(int(sentences.size()))];
        // About one link in a hundred leads to the old catalogue: the text the finds look for.
        if (markup && seq.Below(4) == 0)
            s = (seq.Below(100) == 0 ? u"<a href=\"old/Catalogue.html\">"_s
                                     : u"<a href=\"arhiv/page%1.html\">"_s.arg(seq.Below(1000))) +
                s + u"</a>"_s;
        else if (ext == u"css"_s)
            s = u".c%1 { color: #%2; } /* "_s.arg(seq.Below(500))
                    .arg(seq.Below(0xffffff), 6, 16, QChar(u'0')) +
                s + u" */"_s;
        else if (ext == u"js"_s)
            s = u"var s%1 = \""_s.arg(seq.Below(500)) + s + u"\";"_s;
        page.Add(s);
        page.Add(++inLine % 3 == 0 ? u"\n"_s : u" "_s);
    }
    if (markup)
        page.Add(u"</body>\n</html>\n"_s);
    return page.Text;
}

struct TSite {
    QString Root;
    int Files = 0;
    int TextFiles = 0;
    qint64 Bytes = 0;
};

const TSite& Site() {
    static TSite site = [] {
        TSite s;
        s.Root = gHome->Pages() + u"/site"_s;
        TSequence seq(2024);
        std::vector<QString> exts;
        for (const TKind& k : kKinds)
            for (int i = 0; i < k.Share; ++i)
                exts.push_back(QString::fromUtf16(k.Ext));
        const int files = 5000;
        const qint64 perFile = 100 * kMB / files;
        for (int i = 0; i < files; ++i) {
            const QString ext = exts[size_t(i * 37 % int(exts.size()))];
            const QString dir = s.Root + u"/d%1/s%2/t%3"_s.arg(i % 10).arg(i / 10 % 10).arg(i % 4);
            QDir().mkpath(dir);
            const QString path = dir + u"/f%1."_s.arg(i) + ext;
            const qint64 size = perFile / 2 + seq.Below(int(perFile));
            QByteArray bytes;
            if (ext == u"gif"_s) {
                bytes = QByteArray("GIF89a\x10\0\x10\0", 10);
                while (bytes.size() < size)
                    bytes += char(seq.Below(256));
            } else {
                bytes = ToFileBytes(SiteText(seq, size, i % 4 == 0, ext));
            }
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                std::exit(1);
            }
            ++s.Files;
            s.Bytes += bytes.size();
            if (IsProjectTextFile(path))
                ++s.TextFiles;
        }
        return s;
    }();
    return site;
}

int FindAcrossCore(const QString& root, const QString& what) {
    const TTextMatcher matcher(what, {});
    int rows = 0;
    for (const QString& path : ProjectTextFiles(root))
        rows += int(FindInFile(path, matcher).size());
    return rows;
}

void ProjectFindCore(benchmark::State& state) {
    const TSite& site = Site();
    int rows = 0;
    for (auto _ : state)
        TimeRound(state, [&] { rows = FindAcrossCore(site.Root, kNeedle); });
    state.counters["rows"] = rows;
    state.counters["MB"] = double(site.Bytes) / kMB;
}

void ProjectFindWindow(benchmark::State& state) {
    const TSite& site = Site();
    std::unique_ptr<TfrmMain> w = ShownWindow();
    const QString root = site.Root;
    w->ProjectRootDir = [root] { return root; };
    w->FindReplace->ProjectStateChanged();
    w->FindReplace->chkEntireSite->setChecked(true);
    w->edFindText->setText(kNeedle);
    for (auto _ : state)
        TimeRound(state, [&] {
            w->acFind->trigger();
            Settle();
        });
    state.counters["rows"] = w->lvSearchResults->topLevelItemCount();
    DropWindow(w);
}

// Runs a search tool over the site; its count lines are summed as the rows.
void ToolFind(benchmark::State& state, const QString& program, QStringList args) {
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty()) {
        state.SkipWithError("not installed");
        return;
    }
    const TSite& site = Site();
    args << kNeedle << site.Root;
    qint64 rows = 0;
    for (auto _ : state) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C"_s);
        p.setProcessEnvironment(env);
        TimeRound(state, [&] {
            p.start(exe, args);
            p.waitForFinished(-1);
        });
        rows = 0;
        for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
            rows += line.mid(line.lastIndexOf(':') + 1).toLongLong();
    }
    state.counters["rows"] = double(rows);
}

void GrepFind(benchmark::State& state) {
    QStringList args{u"-rFic"_s};
    for (const char* glob : kGrepIncludes)
        args << u"--include="_s + QString::fromLatin1(glob);
    ToolFind(state, u"grep"_s, args);
}

void RipgrepFind(benchmark::State& state) {
    QStringList args{u"-j1"_s, u"-Fic"_s, u"--no-ignore"_s, u"--hidden"_s};
    for (const char* glob : kGrepIncludes)
        args << u"-g"_s << QString::fromLatin1(glob);
    ToolFind(state, u"rg"_s, args);
}

// Rewrites every text file (each flushed to disk before it replaces the old one); the rounds
// change the word back and forth, so each round has the same work. Runs after the finds.
void ProjectReplaceCore(benchmark::State& state) {
    const TSite& site = Site();
    const QString words[2] = {kNeedle, u"katalogue"_s};
    int round = 0;
    int files = 0;
    int written = 0;
    for (auto _ : state) {
        const TTextMatcher matcher(words[round % 2], {});
        const QString with = words[(round + 1) % 2];
        TimeRound(state, [&] {
            files = written = 0;
            for (const QString& path : ProjectTextFiles(site.Root)) {
                ++files;
                if (ReplaceInFile(path, matcher, with) == TFileReplace::Written)
                    ++written;
            }
        });
        ++round;
    }
    state.counters["files"] = files;
    state.counters["written"] = written;
    state.counters["files_per_s"] = benchmark::Counter(files, benchmark::Counter::kIsRate);
    state.counters["MB"] = double(site.Bytes) / kMB;
}

// A 1 MB page holding 10,000 "<td>" among its text.
QString TablePage() {
    static const QString page = [] {
        QString text;
        const QString filler = u"Съешь же ещё этих мягких французских булок, да выпей чаю. "_s;
        for (int i = 0; i < 10000; ++i) {
            text += u"<td class=\"c%1\">"_s.arg(i % 50);
            text += QStringView(filler).left(40 + i % 40);
            text += u"</td>\n"_s;
        }
        while (text.size() < kMB)
            text += u"<!-- "_s + filler + u"-->\n"_s;
        return text;
    }();
    return page;
}

void PageReplaceAllWindow(benchmark::State& state) {
    const QString path = WritePage(gHome->Pages(), u"table.html"_s, TablePage());
    std::unique_ptr<TfrmMain> w = ShownWindow();
    OpenInWindow(*w, path);
    Settle();
    w->edFindText->setText(u"<td "_s);
    w->edReplaceWith->setText(u"<th "_s);
    w->FindReplace->chkReplaceAll->setChecked(true);
    int replaced = 0;
    for (auto _ : state) {
        w->reSource->Select(0, 0);
        TimeRound(state, [&] {
            w->acReplace->trigger();
            Settle();
            w->reSource->viewport()->repaint();
        });
        replaced = int(w->reSource->Text().count(u"<th "_s));
        // One undo step takes it all back.
        w->reSource->undo();
        if (w->reSource->document()->isUndoAvailable() ||
            w->reSource->Text().count(u"<th "_s) != 0) {
            state.SkipWithError("not one undo step");
            break;
        }
        Settle();
    }
    state.counters["occurrences"] = replaced;
    DropWindow(w);
}

// Anchor: a bare editor given the replaced text at once (no undo step of the old text kept).
void PageReplaceAllBare(benchmark::State& state) {
    std::unique_ptr<QPlainTextEdit> ed = ShownBareEditor();
    const QString before = TablePage();
    for (auto _ : state) {
        ed->setPlainText(before);
        Settle();
        TimeRound(state, [&] {
            ed->setPlainText(QString(ed->toPlainText()).replace(u"<td "_s, u"<th "_s));
            Settle();
            ed->viewport()->repaint();
        });
    }
}

// The other way: one edit per occurrence, all inside one edit block.
void PageReplaceEachInBlock(benchmark::State& state) {
    std::unique_ptr<QPlainTextEdit> ed = ShownBareEditor();
    const QString before = TablePage();
    for (auto _ : state) {
        ed->setPlainText(before);
        Settle();
        TimeRound(state, [&] {
            const QString text = ed->toPlainText();
            QTextCursor c(ed->document());
            c.beginEditBlock();
            int shift = 0;
            for (qsizetype p = text.indexOf(u"<td "_s); p >= 0;
                 p = text.indexOf(u"<td "_s, p + 4)) {
                c.setPosition(int(p) + shift);
                c.setPosition(int(p) + shift + 4, QTextCursor::KeepAnchor);
                c.insertText(u"<th "_s);
            }
            c.endEditBlock();
            Settle();
            ed->viewport()->repaint();
        });
    }
}

// The other way again: the whole span from the first to the last occurrence as one edit.
void PageReplaceOneSpan(benchmark::State& state) {
    std::unique_ptr<QPlainTextEdit> ed = ShownBareEditor();
    const QString before = TablePage();
    const QString after = QString(before).replace(u"<td "_s, u"<th "_s);
    for (auto _ : state) {
        ed->setPlainText(before);
        Settle();
        TimeRound(state, [&] {
            const qsizetype first = before.indexOf(u"<td "_s);
            const qsizetype last = before.lastIndexOf(u"<td "_s) + 4;
            QTextCursor c(ed->document());
            c.beginEditBlock();
            c.setPosition(int(first));
            c.setPosition(int(last), QTextCursor::KeepAnchor);
            c.insertText(after.mid(first, last - first));
            c.endEditBlock();
            Settle();
            ed->viewport()->repaint();
        });
    }
}

void Register(const char* name, int rounds, void (*fn)(benchmark::State&)) {
    benchmark::RegisterBenchmark(name, fn)->UseManualTime()->Iterations(rounds)->Unit(
        benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    TBenchApp bench(argc, argv);
    gHome = &bench.Home;

    Register("quorvane_project_find/core", 3, ProjectFindCore);
    Register("quorvane_project_find/window", 3, ProjectFindWindow);
    Register("grep_rFic", 3, GrepFind);
    Register("ripgrep_j1", 3, RipgrepFind);
    Register("quorvane_project_replace/core", 1, ProjectReplaceCore);
    Register("quorvane_page_replace_all/1MB_10k", 5, PageReplaceAllWindow);
    Register("bare_page_set_replaced/1MB_10k", 5, PageReplaceAllBare);
    Register("bare_page_each_in_block/1MB_10k", 3, PageReplaceEachInBlock);
    Register("bare_page_one_span/1MB_10k", 3, PageReplaceOneSpan);

    TCollectingReporter reporter;
    EditorLook();
    const TSite& site = Site();
    std::printf("site: %d files (%d text files), %.1f MB\n", site.Files, site.TextFiles,
                double(site.Bytes) / kMB);
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    PrintTable(
        reporter, "find and replace (the site's files stay in the page cache for every case)",
        {{"project find, file work (read, decode, search, lines)", "quorvane_project_find/core",
          "grep_rFic"},
         {"project find, whole command with the results list", "quorvane_project_find/window",
          "grep_rFic"},
         {"project find, file work, against ripgrep -j1", "quorvane_project_find/core",
          "ripgrep_j1"},
         {"rows found / grep's count", "quorvane_project_find/core", "grep_rFic", "rows", ""},
         {"project replace (every text file rewritten) / project find",
          "quorvane_project_replace/core", "quorvane_project_find/core"},
         {"replace all in a 1 MB page, 10,000 occurrences, one undo step",
          "quorvane_page_replace_all/1MB_10k", "bare_page_set_replaced/1MB_10k"},
         {"one edit per occurrence in one edit block (bare) / the same anchor",
          "bare_page_each_in_block/1MB_10k", "bare_page_set_replaced/1MB_10k"},
         {"first-to-last span as one edit (bare) / the same anchor", "bare_page_one_span/1MB_10k",
          "bare_page_set_replaced/1MB_10k"}});
    return 0;
}
