// The editor/preview switch, the preview copy beside the page (and where it may not be written),
// the browser test, printing to a PDF file, the printer setup and the help window. One window
// serves every case: the embedded browser takes seconds to start.
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/preview.h"
#include "app/textfile.h"
#include "site/WebSite.h"
#include "site/sitebrowser.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// The embedded browser may need a while to start on a loaded machine.
constexpr int kLoadWait = 120000;

QString RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return u"<%1 failed: %2>"_s.arg(tool, QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;
    TPreview* P = nullptr;

    // The Edit and Insert menus are checked apart: without a document they are off anyway.
    bool EditorMode() const {
        return P->tsEditPreview->currentIndex() == 0 && !P->InPreview() &&
               W->pnlMenu->isVisible() && W->tbrLeft->isVisible() && W->reSource->isVisible() &&
               (!P->wbPreview || !P->wbPreview->isVisible());
    }
    bool MenusEnabled() const {
        return W->miEdit->menuAction()->isEnabled() && W->miInsert->menuAction()->isEnabled();
    }
    bool PreviewMode() const {
        return P->tsEditPreview->currentIndex() == 1 && P->InPreview() &&
               !W->pnlMenu->isVisible() && !W->tbrLeft->isVisible() &&
               !W->miEdit->menuAction()->isEnabled() && !W->miInsert->menuAction()->isEnabled() &&
               !W->reSource->isVisible() && P->wbPreview && P->wbPreview->isVisible();
    }
    // The browser from the module, once the first preview has loaded it.
    QWebEngineView* Browser() const { return qobject_cast<QWebEngineView*>(P->wbPreview); }
    // Runs a script in the shown page and waits for its answer.
    QVariant Js(const QString& script) {
        // Shared: an answer arriving after the wait gave up must not write to a dead frame.
        auto answer = std::make_shared<std::optional<QVariant>>();
        Browser()->page()->runJavaScript(script, [answer](const QVariant& v) { *answer = v; });
        if (!QTest::qWaitFor([&] { return answer->has_value(); }, kLoadWait))
            return QVariant();
        return **answer;
    }
    QString TextOf(const QString& id) {
        return Js(u"document.getElementById('%1').textContent"_s.arg(id)).toString();
    }
    void ToEditor() {
        if (P->InPreview())
            W->acInternalPreview->trigger();
    }
    // Switches to the preview and waits until the page is loaded; false when loading failed.
    bool PreviewAndWait() {
        ToEditor();
        W->acInternalPreview->trigger();
        if (!Browser())
            return false;
        QSignalSpy loaded(Browser(), &QWebEngineView::loadFinished);
        if (!loaded.wait(kLoadWait))
            return false;
        return loaded.last().at(0).toBool();
    }
    QString PageWithPicture(const QString& folder, const QString& heading) {
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QDir().mkpath(F->Dir.filePath(folder));
        picture.save(F->Dir.filePath(folder + u"/dot.png"_s));
        return F->Page(folder + u"/page.html"_s, u"<html><body><h1>"_s + heading +
                                                     u"</h1><img src=\"dot.png\"></body></html>"_s);
    }

private slots:
    void initTestCase() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        P = W->Preview;
        QVERIFY(P);
    }

    void cleanupTestCase() { F.reset(); }

    void init() { F->Platform.Clear(); }

    void startsInTheEditorWithoutABrowser() {
        QVERIFY(EditorMode());
        QCOMPARE(P->tsEditPreview->count(), 2);
        QCOMPARE(P->tsEditPreview->tabText(0), u"Редактор"_s);
        QCOMPARE(P->tsEditPreview->tabText(1), u"Просмотр"_s);
        QVERIFY(P->tsEditPreview->isVisible());
        // Below the editor: its top is under the editor's bottom.
        QVERIFY(P->tsEditPreview->mapTo(W, QPoint()).y() >=
                W->reSource->mapTo(W, QPoint(0, W->reSource->height())).y());
        QVERIFY(!W->acInternalPreview->isEnabled());
        QVERIFY(!W->acPreview->isEnabled());
        QVERIFY(!P->wbPreview);
        QVERIFY(W->findChildren<QWebEngineView*>().isEmpty());
    }

    void noDocumentNoSwitch() {
        P->acInternalPreviewExecute();
        QVERIFY(EditorMode());
        P->tsEditPreview->setCurrentIndex(1);
        QVERIFY(EditorMode());
        QVERIFY(!P->wbPreview);
        QVERIFY(!MenusEnabled());
        // Nor is anything printed or asked.
        P->acPrintExecute();
        QVERIFY(F->Platform.Calls.isEmpty());
    }

    // Without the file F1 warns; with it the help window opens on its contents.
    void help() {
        QTemporaryDir empty;
        P->HelpSearchFolders = {empty.path()};
        W->acHelp->trigger();
        QCOMPARE(F->Platform.Messages(),
                 QStringList(u"Не найден файл справки.\nУбедитесь, что он находится в той же "
                             u"папке, что и программа."_s));
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(F->Platform.Calls.first().MsgKind, TMsgKind::Warning);
        QVERIFY(!P->frmHelp);
        F->Platform.Clear();
        P->HelpSearchFolders = {u"" QUORVANE_HELP_DIR ""_s};
        W->acHelp->trigger();
        QVERIFY(F->Platform.Calls.isEmpty());
        QVERIFY(P->frmHelp);
        QVERIFY(P->frmHelp->isVisible());
        QCOMPARE(P->hbHelp->source().toLocalFile(),
                 QDir(u"" QUORVANE_HELP_DIR ""_s).filePath(u"Quorvane.hlp"_s));
        QVERIFY(P->hbHelp->toPlainText().contains(u"Содержание"_s));
        // A second F1 reuses the window.
        QWidget* first = P->frmHelp;
        W->acHelp->trigger();
        QCOMPARE(P->frmHelp.data(), first);
        P->frmHelp->close();
    }

    // Every command of the menus has its section in the help file.
    void helpCoversEveryMenuCommand_data() {
        QTest::addColumn<QString>("caption");
        for (QMenu* menu : {W->miFile, W->miEdit, W->miView, W->miInsert, W->miHelpM}) {
            const auto actions = menu->actions();
            for (QAction* a : actions) {
                if (a->isSeparator() || a->menu())
                    continue;
                const QString caption = QString(a->text()).remove(u'&');
                QTest::newRow(qPrintable(caption)) << caption;
            }
        }
    }

    void helpCoversEveryMenuCommand() {
        QFETCH(QString, caption);
        static const QString help = QString::fromUtf8(
            ReadBytes(QDir(u"" QUORVANE_HELP_DIR ""_s).filePath(u"Quorvane.hlp"_s)));
        QVERIFY2(help.contains(caption), qPrintable(caption));
    }

    void previewShowsTheUnsavedText() {
        F->Open(PageWithPicture(u"site"_s, u"Старый"_s));
        QVERIFY(W->acInternalPreview->isEnabled());
        QTextCursor c = W->reSource->textCursor();
        c.movePosition(QTextCursor::Start);
        c.insertText(u"<h2 id=\"typed\">Не сохранено</h2>\n"_s);
        W->reSource->setTextCursor(c);
        QVERIFY(W->Documents->Current()->Modified());

        QVERIFY(PreviewAndWait());
        QVERIFY(PreviewMode());
        const QString copy = W->Documents->PreviewFile();
        QCOMPARE(P->ShownFile(), copy);
        QCOMPARE(QFileInfo(copy).dir(), QFileInfo(W->Documents->CurrentPath()).dir());
        QCOMPARE(ReadTextFile(copy), W->reSource->toPlainText());
        QVERIFY(W->Documents->Current()->Modified());
        // The page is read as Windows-1251 and its relative picture resolves.
        QCOMPARE(TextOf(u"typed"_s), u"Не сохранено"_s);
        QCOMPARE(Js(u"document.images[0].naturalWidth"_s).toInt(), 3);

        // Nothing is inserted into the hidden editor, not even through a shortcut; the commands
        // of the File menu still work.
        const QString text = W->reSource->toPlainText();
        W->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(W));
        W->pcNavigator->setFocus();
        QTest::keyClick(W->pcNavigator, Qt::Key_B, Qt::ControlModifier);
        QTest::keyClick(W->pcNavigator, Qt::Key_Comma, Qt::ControlModifier);
        QCOMPARE(W->reSource->toPlainText(), text);
        QVERIFY(W->acPrint->isVisible());
        QVERIFY(W->acNavigator->isVisible());
    }

    void f12TwiceReturnsEverything() {
        QVERIFY(P->InPreview());
        W->acInternalPreview->trigger();
        QVERIFY(EditorMode());
        QVERIFY(MenusEnabled());
        // Text typed meanwhile shows in the next preview, through the same copy beside the page.
        W->reSource->textCursor().insertText(u"<p id=\"later\">Позже</p>"_s);
        QVERIFY(PreviewAndWait());
        QVERIFY(PreviewMode());
        QCOMPARE(P->ShownFile(), W->Documents->PreviewFile());
        QCOMPARE(ReadTextFile(P->ShownFile()), W->reSource->toPlainText());
        QCOMPARE(TextOf(u"later"_s), u"Позже"_s);
        W->acInternalPreview->trigger();
        QVERIFY(EditorMode());
        QVERIFY(MenusEnabled());
        QVERIFY(W->acBold->isVisible());
        QVERIFY(W->acOpeningBrackets->isVisible());
        // The strip's own tabs switch as F12 does.
        P->tsEditPreview->setCurrentIndex(1);
        QVERIFY(PreviewMode());
        P->tsEditPreview->setCurrentIndex(0);
        QVERIFY(EditorMode());
    }

    void switchingDocumentKeepsTheModeAndDeletesTheOldCopy() {
        const QString first = W->Documents->CurrentPath();
        QVERIFY(PreviewAndWait());
        const QString oldCopy = W->Documents->PreviewFile();
        QVERIFY(QFileInfo::exists(oldCopy));

        F->Open(F->Page(u"other/second.html"_s, u"<p id=\"p\">Вторая</p>"_s));
        QCOMPARE(W->Documents->CurrentPath(), F->Dir.filePath(u"other/second.html"_s));
        QVERIFY(PreviewMode());
        QVERIFY(!QFileInfo::exists(oldCopy));

        QVERIFY(PreviewAndWait());
        QCOMPARE(P->ShownFile(), F->Dir.filePath(u"other/tmp_no0.html"_s));
        QCOMPARE(TextOf(u"p"_s), u"Вторая"_s);
        W->SelectDocument(W->FindDocument(first));
        QVERIFY(!QFileInfo::exists(F->Dir.filePath(u"other/tmp_no0.html"_s)));
        ToEditor();
    }

    // Where the copy may not lie beside the page, the preview still shows the text, from a
    // private folder, and nothing at the name is written through or replaced.
    void previewWhereTheCopyMayNotBeWritten_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("link planted at the name") << u"link"_s;
        QTest::newRow("someone's own file of that name") << u"file"_s;
        QTest::newRow("folder gone") << u"gone"_s;
    }

    void previewWhereTheCopyMayNotBeWritten() {
        QFETCH(QString, obstacle);
        ToEditor();
        const QString folder = u"blocked-"_s + obstacle;
        const QString page = F->Page(folder + u"/page.html"_s, u"<h1 id=\"h\">Текст</h1>"_s);
        const QString atName = F->Dir.filePath(folder + u"/tmp_no0.html"_s);
        const QString victim = F->Dir.filePath(folder + u"/victim.html"_s);
        WriteBytes(victim, "original");
        if (obstacle == u"link")
            QVERIFY(QFile::link(victim, atName));
        else if (obstacle == u"file")
            WriteBytes(atName, "mine");
        F->Open(page);
        if (obstacle == u"gone")
            QVERIFY(QDir(F->Dir.path()).rename(folder, folder + u"-moved"_s));

        QVERIFY(PreviewAndWait());
        QVERIFY(PreviewMode());
        QCOMPARE(TextOf(u"h"_s), u"Текст"_s);
        const QString shown = P->ShownFile();
        QVERIFY(!shown.isEmpty());
        QVERIFY(QFileInfo(shown).dir() != QFileInfo(page).dir());
        QCOMPARE(ReadTextFile(shown), W->reSource->toPlainText());
        if (obstacle == u"link") {
            QCOMPARE(QFileInfo(atName).symLinkTarget(), victim);
            QCOMPARE(ReadBytes(victim), QByteArray("original"));
        } else if (obstacle == u"file") {
            QCOMPARE(ReadBytes(atName), QByteArray("mine"));
        }
        // The private copy goes with the next switch of document.
        W->SelectDocument(0);
        QVERIFY(!QFileInfo::exists(shown));
        ToEditor();
    }

    void browserTestOpensTheMainPage() {
        P->acPreviewExecute();
        QVERIFY(F->Platform.Calls.isEmpty());

        const QString root = F->Dir.filePath(u"мой сайт"_s);
        F->Page(u"мой сайт/index.html"_s, u"<p>главная</p>"_s);
        const QString project = ProjectsFolder() + u"/Site.qsf"_s;
        QDir().mkpath(ProjectsFolder());
        WriteBytes(project, ToFileBytes(u"[General]\nTitle=Site\nRootDir="_s + root +
                                        u"\nMainPage=index.html\n"_s));
        W->SiteBrowser->wsSite->LoadFromFile(project);
        W->SiteBrowser->SetSiteActive(true);
        QVERIFY(W->acPreview->isEnabled());
        W->acPreview->trigger();
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(F->Platform.Calls.first().Kind, u"shell"_s);
        const QUrl url(F->Platform.Calls.first().Text);
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), root + u"/index.html"_s);
    }

    void printsToPdfWithTheJobTitle() {
        F->Open(
            F->Page(u"print/index.html"_s,
                    u"<html><head><title>Index</title></head>\n<body>Привет, мир</body></html>"_s));
        QTemporaryDir out;
        const QString pdf = out.filePath(u"page.pdf"_s);
        P->Printer()->setOutputFormat(QPrinter::PdfFormat);
        P->Printer()->setOutputFileName(pdf);
        W->acPrint->trigger();
        QVERIFY(F->Platform.Calls.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        QVERIFY2(!pdfinfo.isEmpty() && !pdftotext.isEmpty(),
                 "poppler-utils is needed (scripts/install-deps)");
        const QString info = RunTool(pdfinfo, {pdf});
        QVERIFY2(info.contains(QRegularExpression(u"^Title:\\s+Quorvane - Index$"_s,
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));
        const QString text = RunTool(pdftotext, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
        QVERIFY2(text.contains(u"Привет, мир"_s), qPrintable(text));
        QVERIFY2(text.contains(u"<title>Index</title>"_s), qPrintable(text));
    }

    void printWithoutAPrinterSaysSo() {
        P->Printer()->setOutputFormat(QPrinter::PdfFormat);
        P->Printer()->setOutputFileName(QString());
        W->acPrint->trigger();
        QCOMPARE(F->Platform.Messages().size(), 1);
        QVERIFY(F->Platform.Messages().first().startsWith(u"Принтер не найден"_s));
    }

    void printerSetupShowsThePrintersDialog() {
        QPrinter* shown = nullptr;
        F->Platform.QueueDialog([&](QDialog* d) {
            auto* dialog = qobject_cast<QPrintDialog*>(d);
            shown = dialog ? dialog->printer() : nullptr;
            return int(QDialog::Rejected);
        });
        W->acPrnSetup->trigger();
        QVERIFY(F->Platform.Unanswered.isEmpty());
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(F->Platform.Calls.first().Proposed, u"Настройка принтера"_s);
        QCOMPARE(shown, P->Printer());
    }

    void closingEveryDocumentLeavesThePreview() {
        QVERIFY(PreviewAndWait());
        W->CloseAllDocuments();
        QVERIFY(EditorMode());
        QVERIFY(MenusEnabled());
        P->tsEditPreview->setCurrentIndex(1);
        QVERIFY(EditorMode());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
