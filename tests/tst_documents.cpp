// The document set behind the editor tabs: open, switch, save, close, prompts and failures.
#include "app/documentlogic.h"
#include "app/documentset.h"
#include "app/textfile.h"
#include "markup/quicklists.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;
using testutil::WriteBytes;

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void emptyWorkspace() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QCOMPARE(w.windowTitle(), u"Quorvane"_s);
        QVERIFY(!w.pcTagMenu->isEnabled());
        QVERIFY(!w.tbrLeft->isEnabled());
        QVERIFY(!w.miEdit->isEnabled());
        QVERIFY(!w.miInsert->isEnabled());
        for (QAction* a : {w.acSave, w.acSaveAs, w.acSaveAll, w.acUpdatePage, w.acUndo,
                           w.acClosePage, w.acCut, w.acCopy, w.acPreview, w.acInternalPreview})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        for (QAction* a : {w.acDefaultPage, w.acOpen, w.acOptions, w.acNavigator, w.acWordWrap,
                           w.acHelp, w.acAbout})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(w.acNavigator->isChecked());
        // Nothing can be typed while no document is open.
        f.Type(u"abc"_s);
        QCOMPARE(w.reSource->Text(), QString());
    }

    void openShowsFileAndEnablesCommands() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"Page.html"_s, u"<p>Привет</p>\n"_s);
        f.Open(p);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->Text(), u"<p>Привет</p>\n"_s);
        QCOMPARE(w.TabCaption(0), u"Page.html"_s);
        QCOMPARE(w.lblFileName->text(), p);
        QCOMPARE(w.ModifiedFlags(), QStringList{u"0"_s});
        QVERIFY(!w.reSource->Modified());
        QVERIFY(w.pcTagMenu->isEnabled() && w.tbrLeft->isEnabled() && w.miEdit->isEnabled());
        QVERIFY(w.acSave->isEnabled() && w.acSaveAs->isEnabled());
        QVERIFY(!w.acSaveAll->isEnabled());
        QVERIFY(!w.acClosePage->isEnabled());
        QCOMPARE(w.Documents->PreviewFile(), f.Dir.filePath(u"tmp_no0.html"_s));
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void missingFileWarnsExceptForGivenPath() {
        TWindowFixture f;
        f.Open(f.Dir.filePath(u"none.html"_s));
        QVERIFY(f.Platform.Messages().isEmpty());
        f.Platform.QueueOpen(TOpenFileResult{f.Dir.filePath(u"none.html"_s), false});
        f.W->acOpen->trigger();
        QCOMPARE(f.Platform.Messages(), QStringList{u"Файл не найден или не существует."_s});
        QCOMPARE(f.W->DocumentCount(), 0);
        // The tag toolbars are enabled all the same.
        QVERIFY(f.W->pcTagMenu->isEnabled());
    }

    void openTwiceInOtherCaseKeepsEdits() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString a = f.Page(u"a.html"_s, u"first\n"_s);
        const QString b = f.Page(u"b.html"_s, u"second\n"_s);
        f.Open(a);
        f.Type(u"X"_s);
        f.Open(b);
        QCOMPARE(w.PageTexts()[0], u"Xfirst\n"_s);
        QCOMPARE(w.ModifiedFlags()[0], u"1"_s);
        f.Type(u"Y"_s);
        // The file on disk changes meanwhile: an open document is not read again.
        WriteBytes(a, "changed on disk\r\n");
        f.Open(f.Dir.filePath(u"A.HTML"_s));
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 0);
        QCOMPARE(w.reSource->Text(), u"Xfirst\n"_s);
        QVERIFY(w.reSource->Modified());
        // The page that was left keeps its own edits too.
        QCOMPARE(w.PageTexts()[1], u"Ysecond\n"_s);
        QCOMPARE(w.ModifiedFlags()[1], u"1"_s);
    }

    void reopeningTheShownPageKeepsEdits() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString a = f.Page(u"a.html"_s, u"a\n"_s);
        f.Open(a);
        f.Type(u"typed "_s);
        w.DropFiles({a});
        f.Open(a);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->Text(), u"typed a\n"_s);
        QVERIFY(w.reSource->Modified());
        w.reSource->undo();
        QCOMPARE(w.reSource->Text(), u"a\n"_s); // the undo history survived too
    }

    void ampersandInNameIsShownAsIs() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a&b.html"_s, u"x\n"_s));
        QCOMPARE(w.TabCaption(0), u"a&b.html"_s);
        f.Open(f.Page(u"c.html"_s, u"c\n"_s));
        w.tcEditor->setCurrentIndex(0);
        f.Type(u"1"_s);
        f.Platform.QueueAnswer(TAnswer::No);
        w.acClosePage->trigger();
        QCOMPARE(f.Platform.Messages(), QStringList{u"Сохранить изменения в a&b.html ?"_s});
    }

    void userSwitchStashes() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        f.Type(u"edit "_s);
        w.tcEditor->setCurrentIndex(0);
        QCOMPARE(w.reSource->Text(), u"a\n"_s);
        QVERIFY(!w.reSource->Modified());
        QVERIFY(w.acSaveAll->isEnabled());
        w.tcEditor->setCurrentIndex(1);
        QCOMPARE(w.reSource->Text(), u"edit b\n"_s);
        QVERIFY(w.reSource->Modified());
        QCOMPARE(w.CurrentIndex(), 1);
    }

    void closePageSelectsNeighbour_data() {
        QTest::addColumn<int>("closeIndex");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first of three") << 0 << u"b\n"_s;
        QTest::newRow("middle of three") << 1 << u"a\n"_s;
        QTest::newRow("last of three") << 2 << u"b\n"_s;
    }
    void closePageSelectsNeighbour() {
        QFETCH(int, closeIndex);
        QFETCH(QString, shown);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        QVERIFY(!w.acClosePage->isEnabled());
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        f.Open(f.Page(u"c.html"_s, u"c\n"_s));
        QVERIFY(w.acClosePage->isEnabled());
        w.tcEditor->setCurrentIndex(closeIndex);
        w.acClosePage->trigger();
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.reSource->Text(), shown);
        QVERIFY(f.Platform.Messages().isEmpty());
        w.acClosePage->trigger();
        QCOMPARE(w.DocumentCount(), 1);
        QVERIFY(!w.acClosePage->isEnabled());
    }

    void closePagePrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::newRow("yes saves and closes") << int(TAnswer::Yes) << 1 << QByteArray("Zb\r\n");
        QTest::newRow("no closes unsaved") << int(TAnswer::No) << 1 << QByteArray("b\r\n");
        QTest::newRow("cancel keeps it") << int(TAnswer::Cancel) << 2 << QByteArray("b\r\n");
    }
    void closePagePrompt() {
        QFETCH(int, answer);
        QFETCH(int, remaining);
        QFETCH(QByteArray, onDisk);
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        const QString b = f.Page(u"b.html"_s, u"b\n"_s);
        f.Open(b);
        f.Type(u"Z"_s);
        f.Platform.QueueAnswer(TAnswer(answer));
        w.acClosePage->trigger();
        QCOMPARE(f.Platform.Messages(), QStringList{u"Сохранить изменения в b.html ?"_s});
        QCOMPARE(f.Platform.Calls.first().Buttons, TButtons::YesNoCancel);
        QCOMPARE(w.DocumentCount(), remaining);
        QCOMPARE(ReadBytes(b), onDisk);
    }

    void quitAsksInTabOrderAndCancelStops() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString a = f.OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        const QString b = f.OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        f.Platform.QueueAnswer(TAnswer::Yes);
        f.Platform.QueueAnswer(TAnswer::Cancel);
        QVERIFY(!w.close());
        QCOMPARE(f.Platform.Messages(), (QStringList{u"Сохранить изменения в a.html ?"_s,
                                                     u"Сохранить изменения в b.html ?"_s}));
        QCOMPARE(ReadBytes(a), QByteArray("1a\r\n"));
        QCOMPARE(ReadBytes(b), QByteArray("b\r\n"));
        QVERIFY(w.isVisible());
        QCOMPARE(w.ModifiedFlags(), (QStringList{u"0"_s, u"1"_s}));
        // Once nothing is modified, quitting asks nothing more.
        f.Platform.Clear();
        w.Documents->At(1)->setModified(false);
        w.reSource->SetModified(false);
        QVERIFY(w.close());
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void readOnlyDocument() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"ro.html"_s, u"text\n"_s);
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        f.Open(p);
        QCOMPARE(w.ReadOnlyFlags(), QStringList{u"1"_s});
        QCOMPARE(w.StatusText(1), u"Только чтение"_s);
        f.Type(u"abc"_s);
        w.reSource->Select(0, 4);
        w.acBold->trigger();
        w.acBr->trigger();
        QCOMPARE(w.reSource->Text(), u"text\n"_s);
        QVERIFY(!w.reSource->Modified());
        QCOMPARE(w.ModifiedFlags(), QStringList{u"0"_s});
        // Save As under another name makes it writable.
        const QString copy = f.Dir.filePath(u"copy.html"_s);
        f.Platform.QueueSave(copy);
        w.acSaveAs->trigger();
        QCOMPARE(w.ReadOnlyFlags(), QStringList{u"0"_s});
        QCOMPARE(w.StatusText(1), QString());
        QVERIFY(!w.reSource->isReadOnly());
        QCOMPARE(ReadBytes(copy), QByteArray("text\r\n"));
        QCOMPARE(w.FileNames(), QStringList{copy});
        QCOMPARE(w.lblFileName->text(), copy);
        QVERIFY(!w.acSave->isEnabled());
    }

    void openDialogReadOnlyBoxAndFolders() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"sub/a.html"_s, u"a\n"_s);
        f.Platform.QueueOpen(TOpenFileResult{p, true});
        w.acOpen->trigger();
        const TOpenFileRequest& req = f.Platform.OpenRequests.first();
        QCOMPARE(req.Title, u"Открыть файл"_s);
        QCOMPARE(req.DefaultExt, u"html"_s);
        QVERIFY(req.OfferReadOnly);
        QCOMPARE(w.ReadOnlyFlags(), QStringList{u"1"_s});
        QCOMPARE(w.OpenDialogDir, f.Dir.filePath(u"sub"_s));
        QCOMPARE(w.SaveDialogDir, f.Dir.filePath(u"sub"_s));
    }

    void saveAllWritesLiveEditorText() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString a = f.OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        const QString b = f.OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        w.tcEditor->setCurrentIndex(0);
        f.Type(u"3"_s); // the caret is back where it was left
        QVERIFY(w.acSaveAll->isEnabled());
        w.acSaveAll->trigger();
        QCOMPARE(ReadBytes(a), QByteArray("13a\r\n"));
        QCOMPARE(ReadBytes(b), QByteArray("2b\r\n"));
        QCOMPARE(w.ModifiedFlags(), (QStringList{u"0"_s, u"0"_s}));
        QVERIFY(!w.reSource->Modified());
        QVERIFY(!w.acSaveAll->isEnabled());
    }

    void saveAsProposals_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<int>("type"); // -1: the first proposal, else the type picked
        QTest::addColumn<QString>("proposal");
        QTest::newRow("drive root") << u"C:\\"_s << u"\\"_s << -1 << u"C:\\Безымянный"_s;
        QTest::newRow("windows folder")
            << u"C:\\site"_s << u"\\"_s << -1 << u"C:\\site\\Безымянный"_s;
        QTest::newRow("root") << u"/"_s << u"/"_s << -1 << u"/Безымянный"_s;
        QTest::newRow("folder") << u"/home/u"_s << u"/"_s << -1 << u"/home/u/Безымянный"_s;
        QTest::newRow("xhtml") << u"/site"_s << u"/"_s << 0 << u"/site/Безымянный.xhtml"_s;
        QTest::newRow("html") << u"/site"_s << u"/"_s << 1 << u"/site/Безымянный.html"_s;
        QTest::newRow("cold fusion") << u"/site"_s << u"/"_s << 2 << u"/site/Безымянный.cfm"_s;
        QTest::newRow("asp") << u"/site"_s << u"/"_s << 3 << u"/site/Безымянный.asp"_s;
        QTest::newRow("css") << u"/site"_s << u"/"_s << 4 << u"/site/Безымянный"_s;
        QTest::newRow("type in a drive root")
            << u"C:\\"_s << u"\\"_s << 1 << u"C:\\Безымянный.html"_s;
    }
    void saveAsProposals() {
        QFETCH(QString, folder);
        QFETCH(QString, sep);
        QFETCH(int, type);
        QFETCH(QString, proposal);
        QCOMPARE(type < 0 ? ProposedSaveAsName(folder, sep[0])
                          : SaveAsTypeChangeName(folder, type, sep[0]),
                 proposal);
    }

    void saveAsDialogRequest() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        w.SaveDialogDir = f.Dir.path();
        f.Platform.QueueSave(std::nullopt);
        w.acSaveAs->trigger();
        const TSaveFileRequest& req = f.Platform.SaveRequests.first();
        QCOMPARE(req.Title, u"Сохранить файл как..."_s);
        QCOMPARE(req.FileName, f.Dir.path() + u"/Безымянный"_s);
        QVERIFY(req.ConfirmOverwrite);
        QVERIFY(req.OnTypeChange);
        QCOMPARE(req.OnTypeChange(0), f.Dir.path() + u"/Безымянный.xhtml"_s);
        // Cancelled: nothing changed.
        QCOMPARE(w.FileNames().first(), f.Dir.filePath(u"a.html"_s));
    }

    void saveFailureKeepsFileAndState() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"a.html"_s, u"old\n"_s);
        f.Open(p);
        f.Type(u"new "_s);
        QFile::setPermissions(p, QFileDevice::ReadOwner);
        w.acSave->trigger();
        QCOMPARE(f.Platform.Messages().size(), 1);
        QVERIFY(f.Platform.Messages().first().contains(u"отказано в доступе"_s));
        QCOMPARE(ReadBytes(p), QByteArray("old\r\n"));
        QCOMPARE(w.ModifiedFlags(), QStringList{u"1"_s});
        QVERIFY(w.reSource->Modified());
        QCOMPARE(w.PageTexts().first(), u"new old\n"_s);
    }

    void diskFullDuringSaveKeepsOldFile() {
        TWindowFixture f;
        const QString p = f.Page(u"a.html"_s, u"old\n"_s);
        f.Open(p);
        f.Type(u"much newer text "_s);
        SetWriteFaultForTests(2);
        f.W->acSave->trigger();
        SetWriteFaultForTests(-1);
        QCOMPARE(f.Platform.Messages().size(), 1);
        QVERIFY(f.Platform.Messages().first().contains(u"недостаточно места"_s));
        QCOMPARE(ReadBytes(p), QByteArray("old\r\n"));
        QVERIFY(f.W->reSource->Modified());
    }

    void unencodableCharacters() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString page = f.Page(u"a.html"_s, u"x\n"_s);
        f.Open(page);
        w.reSource->insertPlainText(u"中"_s);
        w.acSave->trigger();
        QCOMPARE(ReadBytes(page), QByteArray("&#20013;x\r\n"));
        QVERIFY(f.Platform.Messages().isEmpty());

        const QString css = f.Page(u"s.css"_s, u"p {}\n"_s);
        f.Open(css);
        w.reSource->insertPlainText(u"中"_s);
        w.acSave->trigger();
        QCOMPARE(f.Platform.Messages().size(), 1);
        QVERIFY(f.Platform.Messages().first().contains(u"Windows-1251"_s));
        QCOMPARE(ReadBytes(css), QByteArray("p {}\r\n"));
        QCOMPARE(w.ModifiedFlags()[1], u"1"_s);
        QVERIFY(w.reSource->Modified());
    }

    void closeAllMakesEditorReadOnly() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        w.CloseAllDocuments();
        QCOMPARE(w.DocumentCount(), 0);
        QCOMPARE(w.tcEditor->count(), 0);
        QVERIFY(w.reSource->isReadOnly());
        f.Type(u"lost"_s);
        QCOMPARE(w.reSource->Text(), QString());
        w.acSave->trigger(); // nothing to save, nothing to fail
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void reloadDocumentTexts() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString a = f.Page(u"a.html"_s, u"a\n"_s);
        const QString b = f.Page(u"b.html"_s, u"b\n"_s);
        f.Open(a);
        f.Open(b);
        WriteBytes(a, "A2\r\n");
        WriteBytes(b, "B2");
        w.ReloadDocumentTexts();
        QCOMPARE(w.PageTexts(), (QStringList{u"A2\n"_s, u"B2\n"_s}));
        QCOMPARE(w.reSource->Text(), u"B2\n"_s);
    }

    void markupInNamesIsShownAsText() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"<img src=/dev/zero>.html"_s, u"x\n"_s);
        f.Open(p);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.lblFileName->textFormat(), Qt::PlainText);
        QCOMPARE(w.lblFileName->text(), p);
        for (QLabel* panel : w.sbPanels)
            QCOMPARE(panel->textFormat(), Qt::PlainText);
    }

    void droppedFiles() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString page = f.Page(u"a.html"_s, u"a\n"_s);
        const QString image = f.Dir.filePath(u"p.png"_s);
        WriteBytes(image, "png");
        w.DropFiles({image, page});
        QCOMPARE(w.FileNames(), QStringList{page});
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        w.DropFiles({page});
        QCOMPARE(w.DocumentCount(), 2);
        QCOMPARE(w.CurrentIndex(), 0);
        QVERIFY(f.Platform.Messages().isEmpty());
    }

    void previewCopyIsOursAlone() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        TDocumentSet& docs = *w.Documents;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        // A file of that name that this run did not write belongs to the user.
        const QString users = docs.PreviewFile();
        WriteBytes(users, "user's own");
        f.Open(f.Page(u"sub/b.html"_s, u"b\n"_s));
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
        QCOMPARE(docs.PreviewFile(), f.Dir.filePath(u"sub/tmp_no0.html"_s));
        // The copy this run wrote goes at the next switch; a link planted at its name is
        // replaced, never written through.
        const QString victim = f.Dir.filePath(u"victim.txt"_s);
        WriteBytes(victim, "keep");
        QVERIFY(QFile::link(victim, docs.PreviewFile()));
        docs.WritePreviewFile(u"<p>ё</p>\n"_s);
        QCOMPARE(ReadBytes(victim), QByteArray("keep"));
        QCOMPARE(ReadBytes(docs.PreviewFile()), QByteArray("<p>\xb8</p>\r\n"));
        const QString written = docs.PreviewFile();
        w.tcEditor->setCurrentIndex(0);
        QVERIFY(!QFileInfo::exists(written));
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
        // A window that goes away without being closed takes its copies with it too.
        w.tcEditor->setCurrentIndex(1);
        docs.WritePreviewFile(u"x"_s);
        QVERIFY(QFileInfo::exists(written));
        f.W.reset();
        QVERIFY(!QFileInfo::exists(written));
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
    }

    void pageNamedLikeThePreviewSurvives() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString page = f.Page(u"tmp_no0.html"_s, u"page\n"_s);
        f.Open(page);
        QVERIFY_THROWS_EXCEPTION(EFileError, w.Documents->WritePreviewFile(u"x"_s));
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        w.CloseAllDocuments();
        QVERIFY(w.close());
        QCOMPARE(ReadBytes(page), QByteArray("page\r\n"));
    }

    void binaryFileOpensReadOnlyAndIsNeverWritten() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QByteArray bytes("\x7f"
                               "ELF\0\x01\r\n\rx\nend",
                               14);
        const QString bin = f.Dir.filePath(u"binary.html"_s);
        WriteBytes(bin, bytes);
        f.Open(bin);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(f.Platform.Messages().size(), 1);
        QVERIFY(f.Platform.Messages().first().contains(u"двоичные данные"_s));
        QCOMPARE(w.ReadOnlyFlags(), QStringList{u"1"_s});
        QCOMPARE(w.StatusText(1), u"Только чтение"_s);
        f.Platform.Clear();
        w.acSave->trigger();
        QCOMPARE(f.Platform.Messages().size(), 1); // said, not done
        w.acSaveAll->trigger();
        w.Documents->At(0)->setModified(true); // even if something marked it
        QVERIFY(w.close());
        QCOMPARE(ReadBytes(bin), bytes);
    }

    void eachDocumentKeepsItsUndoHistory() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        f.OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        w.tcEditor->setCurrentIndex(0);
        QCOMPARE(w.reSource->Text(), u"1a\n"_s);
        w.acUndo->trigger();
        QCOMPARE(w.reSource->Text(), u"a\n"_s);
        w.tcEditor->setCurrentIndex(1);
        w.acUndo->trigger();
        QCOMPARE(w.reSource->Text(), u"b\n"_s);
    }

    void modifiedTabsAreMarkedAndKeysSwitchTabs() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        f.Open(f.Page(u"c.html"_s, u"c\n"_s));
        f.Type(u"x"_s);
        QVERIFY(w.tcEditor->tabIcon(0).isNull());
        QVERIFY(!w.tcEditor->tabIcon(2).isNull());
        QCOMPARE(w.TabCaption(2), u"c.html"_s);
        w.acSave->trigger();
        QVERIFY(w.tcEditor->tabIcon(2).isNull());

        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.reSource->setFocus();
        QTest::keyClick(w.reSource, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.CurrentIndex(), 0); // wraps round
        QTest::keyClick(w.reSource, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(w.CurrentIndex(), 1);
        QTest::keyClick(w.reSource, Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(w.reSource, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.CurrentIndex(), 2);
        QCOMPARE(w.reSource->Text(), u"xc\n"_s);
    }

    void savedReferencesAreCounted() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        const QString p = f.Page(u"a.html"_s, u"a\n"_s);
        f.Open(p);
        w.reSource->insertPlainText(u"€ ☺ 😀 "_s); // € is in Windows-1251, the others not
        w.acSave->trigger();
        QCOMPARE(ReadBytes(p), QByteArray("\x88 &#9786; &#128512; a\r\n"));
        QVERIFY(w.StatusText(0).endsWith(u": 2"_s));
        f.Type(u"b"_s);
        w.acSave->trigger();
        QVERIFY(w.StatusText(0).endsWith(u": 2"_s)); // the text still holds both
    }

    void longLinesAreNotWrapped() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QVERIFY(w.acWordWrap->isChecked());
        f.Open(f.Page(u"short.html"_s, u"<p>short</p>\n"_s));
        QCOMPARE(w.reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        const QString line(TfrmMain::kLongestWrappedLine + 1, u'x');
        f.Open(f.Page(u"long.html"_s, line + u"\n"_s));
        QCOMPARE(w.reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!w.StatusText(0).isEmpty());
        QVERIFY(w.acWordWrap->isChecked()); // the setting itself stays
        w.tcEditor->setCurrentIndex(0);
        QCOMPARE(w.reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void editCommandsFollowTarget() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"abc\n"_s));
        w.edFindText->setText(u"find"_s);
        w.edFindText->setFocus();
        QTRY_COMPARE(w.acSelectAll->data().toInt(), int(etFindText));
        w.acSelectAll->trigger();
        QCOMPARE(w.edFindText->selectedText(), u"find"_s);
        QCOMPARE(w.reSource->SelLength(), 0);
        w.reSource->setFocus();
        QTRY_COMPARE(w.acSelectAll->data().toInt(), int(etEditor));
        w.acSelectAll->trigger();
        QCOMPARE(w.reSource->SelLength(), 4);
        QVERIFY(w.acCopy->isEnabled() && w.acCut->isEnabled() &&
                w.QuickLists->cbHeaderStyle->isEnabled());
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
