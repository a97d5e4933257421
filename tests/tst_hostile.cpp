// Hostile and huge input through the paths a user takes: each ends with a result or a clear
// message, never a crash, a hang or a changed file.
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/inifile.h"
#include "app/startup.h"
#include "html/HTMLParser.h"
#include "html/editingaids.h"
#include "html/edittag.h"
#include "html/navigator.h"
#include "markup/wizard.h"
#include "site/DirectoryScanner.h"
#include "site/WebSite.h"
#include "site/findreplace.h"
#include "site/sitebrowser.h"
#include "site/sitemgr.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer is 5 to 20 times slower; a tenth of the size takes the same code paths.
constexpr int kScale = 10;
#else
constexpr int kScale = 1;
#endif

constexpr qsizetype kHugePage = 50 * 1024 * 1024 / kScale;
constexpr int kMillion = 1000000 / kScale;
constexpr qsizetype kLongLine = 10 * 1024 * 1024 / kScale;

// Bytes that no reader can make sense of, the same on every run.
QByteArray Garbage(qsizetype size, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

const QByteArray kBom = "\xEF\xBB\xBF";

// Answers the tag editor, shown and active as exec() leaves it; `seen` tells whether it came.
void QueueTagEditor(TScriptedPlatform& platform, bool ok, std::function<void(TfrmTag*)> body,
                    bool* seen) {
    platform.QueueDialog([ok, body, seen](QDialog* d) -> int {
        auto* dlg = qobject_cast<TfrmTag*>(d);
        if (!dlg)
            return QDialog::Rejected;
        *seen = true;
        dlg->show();
        dlg->activateWindow();
        if (body)
            body(dlg);
        (ok ? dlg->btnOK : dlg->btnCancel)->click();
        const int result = dlg->result();
        dlg->hide();
        return result;
    });
}

// Every row of the navigator's element list.
int NavigatorRows(TfrmMain* w) {
    return w->Navigator->lvContent->count();
}

} // namespace

class TestHostile : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    void Start() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        W->resize(1000, 700);
        QVERIFY(QTest::qWaitForWindowActive(W));
    }

    // Loads a project of the given root into the site browser.
    QTreeWidget* ShowProject(const QString& title, const QString& root) {
        const QString project = ProjectsFolder() + u'/' + title + u".qsf"_s;
        WriteBytes(project, "[General]\r\nTitle=" + title.toUtf8() +
                                "\r\nRootDir=" + root.toUtf8() + "\r\n");
        W->SiteBrowser->wsSite->LoadFromFile(project);
        W->SiteBrowser->SetSiteActive(true);
        return W->SiteBrowser->lvSite;
    }

    void FindInSite(const QString& text) {
        W->edFindText->setText(text);
        W->FindReplace->chkEntireSite->setChecked(true);
        W->acFind->trigger();
    }

    // Runs the page wizard with `body` looking at it, then cancels it.
    void RunWizard(const std::function<void(TfrmWizard*)>& body) {
        F->Platform.QueueDialog([body](QDialog* d) {
            if (auto* dlg = qobject_cast<TfrmWizard*>(d))
                body(dlg);
            return int(QDialog::Rejected);
        });
        W->acDefaultPage->trigger();
    }

private slots:
    void cleanup() { F.reset(); }

    // Opens, scans, switches away and back; an edit undone by hand saves the very bytes read.
    void hugePageOpensScansSwitchesAndSaves() {
        Start();
        QByteArray block; // a thousand lines, each with its own link
        for (int line = 0; line < 1000; ++line)
            block += "<p><a href=\"p" + QByteArray::number(line) +
                     ".html\">\xF1\xF1\xFB\xEB\xEA\xE0 " + QByteArray::number(line) +
                     "</a> text text text text text text text</p>\r\n";
        const QByteArray bytes =
            "<html><head><title>\xC1\xEE\xEB\xFC\xF8\xE0\xFF</title></head><body>\r\n" +
            block.repeated(kHugePage / block.size() + 1) + "</body></html>\r\n";
        const QString path = F->Dir.filePath(u"huge.html"_s);
        WriteBytes(path, bytes);

        F->Open(path);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->tcEditor->tabText(0), u"Большая"_s);
        QCOMPARE(NavigatorRows(W), 1000);
        QCOMPARE(W->reSource->Text().size(), bytes.size() - bytes.count('\r'));

        F->Open(F->Page(u"small.html"_s, u"<a href=\"x.html\">x</a>\n"_s));
        QCOMPARE(NavigatorRows(W), 1);
        W->tcEditor->setCurrentIndex(0);
        QCOMPARE(W->CurrentIndex(), 0);
        QCOMPARE(NavigatorRows(W), 1000);

        W->reSource->Select(0, 0);
        F->Type(u"x"_s);
        QTest::keyClick(W->reSource, Qt::Key_Backspace);
        QVERIFY(W->Documents->At(0)->Modified());
        W->acSave->trigger();
        QVERIFY2(F->Platform.Calls.isEmpty(), qPrintable(F->Platform.Messages().join(u'\n')));
        QVERIFY(!W->Documents->At(0)->Modified());
        QVERIFY(ReadBytes(path) == bytes);
    }

    // A page of a million tags, five a line: every tag is seen, the lists hold each value once.
    void millionTags() {
        Start();
        QByteArray bytes;
        const int lines = kMillion / 5;
        bytes.reserve(qsizetype(lines) * 50);
        for (int i = 0; i < lines; ++i) {
            const QByteArray n = QByteArray::number(i % 20000);
            bytes += "<b><a href=\"p" + n + ".html\"><img src=\"i" + n + ".gif\"></a></b>\r\n";
        }
        const QString path = F->Dir.filePath(u"tags.html"_s);
        WriteBytes(path, bytes);
        int tags = 0;
        connect(W->HpParser, &THTMLParser::OnParse, W, [&tags] { ++tags; });
        F->Open(path);
        QCOMPARE(tags, kMillion);
        QCOMPARE(W->HpParser->HyperLinks().size(), 20000);
        QCOMPARE(W->HpParser->Images().size(), 20000);
        QCOMPARE(NavigatorRows(W), 20000);
        QTest::mouseClick(W->Navigator->tbPageImages, Qt::LeftButton);
        QCOMPARE(NavigatorRows(W), 20000);
        QCOMPARE(W->Navigator->lvContent->item(19999)->text(), u"i19999.gif"_s);
    }

    // Tags that never end: the scan ends; the tag editor finds the tag at the caret or nothing,
    // and the completion list opens at the caret and goes again.
    void unclosedTag_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("tag"); // what the tag editor edits there; empty: nothing
        QTest::addColumn<int>("links");   // rows of the navigator
        const QString start = u"<a href=\"one.html\" and the text goes on\nand on\n"_s;
        QTest::newRow("< at the start, caret after it") << start << 1 << QString() << 0;
        QTest::newRow("< at the start, caret at the end")
            << start << int(start.size()) << QString() << 0;
        // A "<" begins a tag that goes to the next ">", whatever stands between.
        const QString middle = u"<p><a href=\"one.html\">one</a> a < b\n<b>x</b> and <i\n"_s;
        QTest::newRow("< in the middle")
            << middle << int(middle.indexOf(u"< b")) + 1 << u"< b\n<b>"_s << 1;
        QTest::newRow("< in the middle, caret at the end")
            << middle << int(middle.size()) << QString() << 1;
        const QString end = u"<a href=\"one.html\">one</a>\n<"_s;
        QTest::newRow("< at the very end") << end << int(end.size()) << QString() << 1;
        // Neither the scan nor the tag editor knows comments and scripts that never end: the
        // tags inside count as tags.
        const QString comment = u"<a href=\"one.html\">one</a>\n<!-- <a href=\"two.html\">\n"_s;
        QTest::newRow("comment never closed")
            << comment << int(comment.size()) - 3 << u"<a href=\"two.html\">"_s << 1;
        const QString script =
            u"<a href=\"one.html\">one</a>\n<script>document.write('<a href=\"two.html\">');\n"_s;
        QTest::newRow("script never closed")
            << script << int(script.size()) - 5 << u"<a href=\"two.html\">"_s << 2;
        const QString scriptTag = u"<a href=\"one.html\">one</a>\n<script language=\"js\"\n"_s;
        QTest::newRow("<script never closed")
            << scriptTag << int(scriptTag.size()) - 3 << QString() << 1;
    }
    void unclosedTag() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, tag);
        QFETCH(int, links);
        Start();
        F->ShowText(text, caret);
        const quint64 scans = W->HpParser->ScanCount();
        W->acUpdatePage->trigger();
        QVERIFY(W->HpParser->ScanCount() > scans);
        QVERIFY(!W->HpParser->IsParsing());
        QCOMPARE(NavigatorRows(W), links);

        W->reSource->Select(caret, 0);
        int tagStart = -1;
        QCOMPARE(W->reSource->GetTagAtCaret(&tagStart), tag);
        bool seen = false;
        QString edited;
        QueueTagEditor(
            F->Platform, false, [&edited](TfrmTag* dlg) { edited = dlg->edTagName->text(); },
            &seen);
        W->acEditTag->trigger();
        // The tag editor opens on a tag it can read and says why it cannot read one otherwise.
        const QStringList messages = F->Platform.Messages();
        QCOMPARE(seen || !messages.isEmpty(), !tag.isEmpty());
        if (!messages.isEmpty()) {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(
                messages.first().startsWith(u"Ошибка анализа: недопустимый символ в позиции "_s),
                qPrintable(messages.first()));
        }
        QCOMPARE(W->reSource->Text(), text);

        W->reSource->Select(caret, 0);
        W->EditingAids->TypedWord.clear();
        F->Type(u" href="_s);
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        QVERIFY(W->EditingAids->lbCompletion->count() >= 1);
        QTest::keyClick(W->EditingAids->lbCompletion, Qt::Key_Escape);
        QVERIFY(W->EditingAids->lbCompletion->isHidden());
        QCOMPARE(W->reSource->Text(), text.left(caret) + u" href="_s + text.mid(caret));
    }

    // A file with a NUL byte is binary data: shown for reading only with a message, never
    // written, not even by Save All or at the end; a file of every other byte is a page.
    void binaryBytes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("binary");
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every += char(b);
        QTest::newRow("NUL bytes in a page")
            << QByteArray("<p>one\0two</p>\r\n<a href=\"x.html\">\0</a>\r\n", 39) << true;
        QTest::newRow("every byte value") << every << true;
        QTest::newRow("every byte value but NUL") << every.mid(1) << false;
    }
    void binaryBytes() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, binary);
        Start();
        const QString path = F->Dir.filePath(u"bytes.html"_s);
        WriteBytes(path, bytes);
        F->Open(path);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->Text(), TextFromFileBytes(bytes));
        if (binary) {
            QCOMPARE(F->Platform.Messages(),
                     QStringList{u"Файл %1 содержит двоичные данные (нулевые байты). Он открыт "
                                 u"только для чтения и не будет сохранён."_s.arg(path)});
            QVERIFY(W->reSource->isReadOnly());
            QCOMPARE(W->StatusText(1), u"Только чтение"_s);
        } else {
            QCOMPARE(F->Platform.Messages(), QStringList());
            QVERIFY(!W->reSource->isReadOnly());
        }
        W->acUpdatePage->trigger();
        QVERIFY(!W->HpParser->IsParsing());
        // Typing is refused on binary data; the commands that write leave the file alone.
        W->reSource->Select(0, 0);
        F->Type(u"x"_s);
        QCOMPARE(W->Documents->At(0)->Modified(), !binary);
        if (!binary)
            QTest::keyClick(W->reSource, Qt::Key_Backspace);
        // Save says why it writes nothing.
        W->acSave->trigger();
        if (binary)
            QCOMPARE(F->Platform.Messages().value(1),
                     u"Файл %1 содержит двоичные данные и открыт только для чтения: он не "
                     u"сохраняется."_s.arg(path));
        W->acSaveAll->trigger();
        if (binary) {
            W->Documents->At(0)->setModified(true);
            F->Platform.QueueAnswer(TAnswer::Yes);
        }
        QVERIFY(W->close());
        F->W.reset();
        if (binary)
            QVERIFY(ReadBytes(path) == bytes);
        else // saved as a page: line breaks become CR LF, every other byte stays
            QVERIFY(ReadBytes(path) == ToFileBytes(TextFromFileBytes(bytes)));
    }

    void enormousTag_data() {
        QTest::addColumn<int>("attributes");
        QTest::addColumn<int>("valueLength");
        // Both about 10,000 characters long.
        QTest::newRow("500 attributes") << 500 << 14;
        QTest::newRow("one value of 10,000 characters") << 1 << 10000;
    }
    void enormousTag() {
        QFETCH(int, attributes);
        QFETCH(int, valueLength);
        Start();
        QString tag = u"<img"_s;
        QStringList rows;
        for (int i = 0; i < attributes; ++i) {
            const QString name = u"a%1"_s.arg(i);
            const QString value =
                QString(valueLength - 4, u'v') + u"%1"_s.arg(i % 10000, 4, 10, QChar(u'0'));
            tag += u' ' + name + u"=\""_s + value + u'"';
            rows << name + u'=' + value;
        }
        tag += u'>';
        QVERIFY(tag.size() >= 10000);
        const QString before = u"<p>"_s, after = u"</p>\n"_s;
        const QString text = before + tag + after;
        F->ShowText(text, int(before.size() + tag.size()) - 1);

        // The tag editor shows every attribute; a changed value is written back.
        bool seen = false;
        QStringList shown;
        QueueTagEditor(
            F->Platform, true,
            [&shown](TfrmTag* dlg) {
                for (int r = 0; r < dlg->sgProperties->rowCount(); ++r)
                    shown << dlg->sgProperties->item(r, 0)->text() + u'=' +
                                 dlg->sgProperties->item(r, 1)->text();
                // The user clicks the first value and types a new one over it.
                QTableWidget* sg = dlg->sgProperties;
                if (!QTest::qWaitFor([dlg] { return QApplication::activeWindow() == dlg; }))
                    return;
                const QRect r = sg->visualItemRect(sg->item(0, 1));
                QTest::mouseClick(sg->viewport(), Qt::LeftButton, {},
                                  QPoint(r.left() + 5, r.center().y()));
                if (dlg->ActiveEditor() != dlg->edText)
                    return;
                QTest::keyClicks(dlg->edText, u"new"_s);
                QTest::keyClick(dlg->edText, Qt::Key_Return);
            },
            &seen);
        W->acEditTag->trigger();
        QVERIFY(seen);
        QCOMPARE(shown, rows);
        QString written = tag;
        written.replace(rows.first().section(u'=', 1) + u'"', u"new\""_s);
        QCOMPARE(W->reSource->SelText(), written);
        QCOMPARE(W->reSource->Text(), before + written + after);

        // Completion at the caret inside the tag.
        W->reSource->Select(int(before.size()) + 4, 0);
        W->EditingAids->TypedWord.clear();
        F->Type(u" align="_s);
        QVERIFY(W->EditingAids->lbCompletion->isVisible());
        QTest::keyClick(W->EditingAids->lbCompletion, Qt::Key_Down);
        QTest::keyClick(W->EditingAids->lbCompletion, Qt::Key_Return);
        QVERIFY(W->reSource->Text().startsWith(before + u"<img align=\"Center\""_s));
    }

    void badSettingsFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("fontSize"); // the editor's font size after the start
        QTest::newRow("garbage") << Garbage(64 * 1024, 1) << 10;
        QTest::newRow("one enormous line first")
            << "; " + QByteArray(kLongLine, 'x') + "\r\n[Editor]\r\nFontSize=14\r\n"
            << 14;
        QTest::newRow("one enormous line only") << QByteArray(kLongLine, '=') << 10;
        QTest::newRow("UTF-8 byte-order mark")
            << kBom + "[Editor]\r\nFontName=Courier New\r\nFontSize=14\r\n[Interface]\r\n"
                      "IsWordWrap=0\r\n"
            << 14;
    }
    // The program starts; at the end the settings are written in place, so whatever the file
    // held stays in it, or the user is told they were not kept.
    void badSettingsFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, fontSize);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        WriteBytes(SettingsFilePath(), bytes);
        auto w = std::make_unique<TfrmMain>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QCoreApplication::processEvents();
        QCOMPARE(w->reSource->font().pointSize(), fontSize);
        QVERIFY(w->close());
        w.reset();
        const QByteArray after = ReadBytes(SettingsFilePath());
        if (after == bytes) {
            QCOMPARE(platform.Messages().size(), 1);
            QVERIFY(platform.Messages().first().startsWith(u"Настройки не сохранены.\n"_s));
        } else {
            QVERIFY2(platform.Messages().isEmpty(), qPrintable(platform.Messages().join(u'\n')));
            QVERIFY(after.startsWith(bytes));
            // What was written reads back.
            auto again = std::make_unique<TfrmMain>();
            QCOMPARE(again->reSource->font().pointSize(), fontSize);
            again->close();
        }
    }

    void badProjectFile_data() {
        QTest::addColumn<QByteArray>("bytes");  // "%ROOT%" stands for the project's root
        QTest::addColumn<bool>("rootFromFile"); // else the documented default root
        QTest::addColumn<QString>("title");
        QTest::newRow("garbage") << Garbage(64 * 1024, 2) << false << QString();
        QTest::newRow("one enormous line first")
            << "; " + QByteArray(kLongLine, 'x') +
                   "\r\n[General]\r\nTitle=Site\r\nRootDir=%ROOT%\r\n"
            << true << u"Site"_s;
        QTest::newRow("one enormous title")
            << "[General]\r\nRootDir=%ROOT%\r\nTitle=" + QByteArray(kLongLine, 't') << true
            << QString(TIniFile::MaxValueLength, u't');
        QTest::newRow("UTF-8 byte-order mark")
            << kBom + "[General]\r\nTitle=\xD0\xA1\xD0\xB0\xD0\xB9\xD1\x82\r\nRootDir=%ROOT%\r\n"
            << true << u"Сайт"_s;
    }
    // The project opens through the project manager; opening it never writes its file.
    void badProjectFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, rootFromFile);
        QFETCH(QString, title);
        Start();
        const QString root = F->Dir.filePath(u"site"_s);
        F->Page(u"site/index.html"_s, u"<p>x</p>\n"_s);
        bytes.replace("%ROOT%", root.toUtf8());
        const QString file = ProjectsFolder() + u"/Site.qsf"_s;
        WriteBytes(file, bytes);
        F->Platform.QueueDialog([](QDialog* d) {
            auto* dlg = qobject_cast<TfrmSite*>(d);
            if (!dlg)
                return int(QDialog::Rejected);
            const auto found = dlg->cbProject->findItems(u"Site"_s, Qt::MatchExactly);
            if (found.isEmpty())
                return int(QDialog::Rejected);
            dlg->cbProject->setCurrentItem(found.first());
            dlg->btnOK->click();
            return dlg->result();
        });
        W->acOpenProject->trigger();
        QVERIFY2(F->Platform.Unanswered.isEmpty(), qPrintable(F->Platform.Unanswered.join(u'\n')));
        QVERIFY(W->SiteBrowser->ProjectLoaded());
        QCOMPARE(W->SiteBrowser->wsSite->Title(), title);
        QCOMPARE(W->ProjectRootDir(), rootFromFile ? root : QDir::homePath());
        if (rootFromFile)
            QCOMPARE(W->SiteBrowser->lvSite->topLevelItemCount(), 1);
        QVERIFY(ReadBytes(file) == bytes);
        QVERIFY(W->close());
        F->W.reset();
        QVERIFY(ReadBytes(file) == bytes);
    }

    void badTemplateFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");  // empty: the built-in schemes
        QTest::addColumn<QByteArray>("written"); // the file after the close; empty: unchanged
        const QByteArray night = "Night\x1b#000000\x1b#ffffff\x1b#0000ff\x1b#ff0000\x1b#800080\x1b";
        const QByteArray sunset = night.mid(5);
        QTest::newRow("garbage") << Garbage(64 * 1024, 3) << QStringList() << QByteArray();
        QTest::newRow("one enormous line only")
            << QByteArray(kLongLine, '\x1b') << QStringList() << QByteArray();
        // The schemes the file gave are kept; the line that is none is not.
        QTest::newRow("one enormous line first")
            << QByteArray(kLongLine, 'x') + "\r\n" + night + "\r\n"
            << QStringList{u"Night"_s} << night + "\r\n";
        // Written back in the program's own encoding.
        QTest::newRow("UTF-8 byte-order mark")
            << kBom + night + "\r\n\xD0\x97\xD0\xB0\xD0\xBA\xD0\xB0\xD1\x82" + sunset + "\r\n"
            << QStringList{u"Night"_s, u"Закат"_s}
            << night + "\r\n\xC7\xE0\xEA\xE0\xF2" + sunset + "\r\n";
    }
    // The wizard offers what the file holds, or the built-in schemes when it holds none; a file
    // it cannot read a scheme from is left as it was when the list was not changed.
    void badTemplateFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(QByteArray, written);
        Start();
        const QString file = TemplatesFilePath();
        WriteBytes(file, bytes);
        QStringList shown;
        RunWizard([&shown](TfrmWizard* dlg) { shown = dlg->Templates->Names(); });
        QVERIFY2(F->Platform.Unanswered.isEmpty(), qPrintable(F->Platform.Unanswered.join(u'\n')));
        QVERIFY2(F->Platform.Messages().isEmpty(), qPrintable(F->Platform.Messages().join(u'\n')));
        if (names.isEmpty()) {
            QStringList builtIns;
            for (const TColorTemplate& t : BuiltInColorTemplates())
                builtIns << t.Name;
            QCOMPARE(shown, builtIns);
        } else {
            QCOMPARE(shown, names);
        }
        QVERIFY(ReadBytes(file) == (written.isEmpty() ? bytes : written));
    }

    // A list the user changed replaces a file that held no scheme.
    void templateFileOfGarbageReplacedWhenListChanged() {
        Start();
        const QString file = TemplatesFilePath();
        WriteBytes(file, Garbage(1024, 4));
        RunWizard([](TfrmWizard* dlg) {
            dlg->cbTemplate->setCurrentText(BuiltInColorTemplates().first().Name);
            dlg->btnDeleteTemplate->click();
        });
        TColorTemplates kept;
        kept.LoadFromFile(file);
        QCOMPARE(kept.TemplateCount(), BuiltInColorTemplates().size() - 1);
    }

    // Deeper than a walk's level can count: every level is walked, listed and searched, and
    // deleting the tree takes all of it.
    void deepProjectTree() {
        Start();
        constexpr int kLevels = 300;
        const QString root = F->Dir.filePath(u"site"_s);
        const QString deepest = root + u"/d"_s.repeated(kLevels);
        QVERIFY(QDir().mkpath(deepest));
        WriteBytes(deepest + u"/deep.html"_s, "<p>needle</p>\r\n");

        TDirectoryScanner scanner;
        QVERIFY(scanner.setRootDir(root));
        int folders = 0, files = 0, deepestLevel = 0;
        scanner.OnProcessDirectory = [&](TDirectoryScanner*, const QString&, const QString&,
                                         quint8 level, TDirectoryFileType type) {
            ++(type == dftFile ? files : folders);
            deepestLevel = qMax(deepestLevel, int(level));
        };
        scanner.Scan();
        QCOMPARE(folders, kLevels);
        QCOMPARE(files, 1);
        QCOMPARE(deepestLevel, 255); // counted as far as it goes
        QCOMPARE(ProjectTextFiles(root), QStringList{deepest + u"/deep.html"_s});

        // The site browser walks down to the page.
        QTreeWidget* list = ShowProject(u"Deep"_s, root);
        for (int i = 0; i < kLevels; ++i) {
            const auto found = list->findItems(u"d"_s, Qt::MatchExactly);
            QVERIFY2(found.size() == 1, qPrintable(QString::number(i)));
            emit list->itemDoubleClicked(found.first(), 0);
        }
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(0), u"deep.html"_s);
        emit list->itemDoubleClicked(list->topLevelItem(0), 0);
        QCOMPARE(W->Documents->CurrentPath(), deepest + u"/deep.html"_s);

        FindInSite(u"needle"_s);
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 1);
        QVERIFY(W->lvSearchResults->topLevelItem(0)->text(0).endsWith(u"deep.html"_s));

        // Deleting the top folder from the root's list takes the whole tree.
        W->CloseAllDocuments();
        while (W->SiteBrowser->tbSiteLevelUp->isEnabled())
            W->SiteBrowser->tbSiteLevelUp->click();
        list->setCurrentItem(list->findItems(u"d"_s, Qt::MatchExactly).value(0));
        F->Platform.QueueAnswer(TAnswer::Yes);
        W->miDeleteFromSite->trigger();
        QVERIFY(!QFileInfo::exists(root + u"/d"_s));
        QCOMPARE(list->topLevelItemCount(), 0);
    }

    // Links that lead back up, or round in a circle, never make a walk, a listing or a search
    // endless, and a link that leads nowhere does not stop a search.
    void linkLoopInProject() {
        Start();
        const QString root = F->Dir.filePath(u"site"_s);
        F->Page(u"site/index.html"_s, u"<p>needle</p>\n"_s);
        F->Page(u"site/a/b/page.html"_s, u"needle needle\n"_s);
        QVERIFY(QFile::link(root, root + u"/self"_s));
        QVERIFY(QFile::link(root + u"/a"_s, root + u"/a/b/up"_s));
        QVERIFY(QFile::link(u"loop2.html"_s, root + u"/loop1.html"_s));
        QVERIFY(QFile::link(u"loop1.html"_s, root + u"/loop2.html"_s));

        QStringList files = ProjectTextFiles(root);
        files.sort();
        QCOMPARE(files, (QStringList{root + u"/a/b/page.html"_s, root + u"/index.html"_s,
                                     root + u"/loop1.html"_s, root + u"/loop2.html"_s}));

        QTreeWidget* list = ShowProject(u"Loop"_s, root);
        const auto items = [list] {
            QStringList out;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                out << list->topLevelItem(i)->text(0);
            out.sort();
            return out;
        };
        const QStringList atRoot = items();
        QVERIFY(atRoot.contains(u"self"_s) && atRoot.contains(u"index.html"_s));
        // Entering the link to the root again and again: each listing is the root's.
        for (int i = 0; i < 20; ++i) {
            const auto found = list->findItems(u"self"_s, Qt::MatchExactly);
            QVERIFY(found.size() == 1);
            emit list->itemDoubleClicked(found.first(), 0);
        }
        QCOMPARE(items(), atRoot);

        FindInSite(u"needle"_s);
        QVERIFY2(F->Platform.Messages().isEmpty(), qPrintable(F->Platform.Messages().join(u'\n')));
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 3);
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
