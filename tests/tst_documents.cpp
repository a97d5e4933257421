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

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    // Writes a page, opens it and returns its path.
    QString OpenPage(const QString& name, const QString& text) {
        const QString path = F->Page(name, text);
        F->Open(path);
        return path;
    }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
    }
    void cleanup() { F.reset(); }

    void nothingIsTypedWithoutADocument() {
        QCOMPARE(W->windowTitle(), u"Quorvane"_s);
        QVERIFY(!W->pcTagMenu->isEnabled());
        QVERIFY(!W->tbrLeft->isEnabled());
        QVERIFY(!W->miEdit->isEnabled());
        QVERIFY(!W->miInsert->isEnabled());
        // Each command's own state at the start is checked with its place in tst_commandtable.
        QVERIFY(W->acNavigator->isChecked());
        F->Type(u"abc"_s);
        QCOMPARE(W->reSource->Text(), QString());
        // Closing every page leaves the editor as it was at the start.
        OpenPage(u"a.html"_s, u"a\n"_s);
        OpenPage(u"b.html"_s, u"b\n"_s);
        W->CloseAllDocuments();
        QCOMPARE(W->DocumentCount(), 0);
        QCOMPARE(W->tcEditor->count(), 0);
        QVERIFY(W->reSource->isReadOnly());
        F->Type(u"lost"_s);
        QCOMPARE(W->reSource->Text(), QString());
        W->acSave->trigger(); // nothing to save, nothing to fail
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void openShowsFileAndEnablesCommands() {
        const QString p = OpenPage(u"Page.html"_s, u"<p>Привет</p>\n"_s);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->Text(), u"<p>Привет</p>\n"_s);
        QCOMPARE(W->TabCaption(0), u"Page.html"_s);
        QCOMPARE(W->lblFileName->text(), p);
        QCOMPARE(W->ModifiedFlags(), QStringList{u"0"_s});
        QVERIFY(!W->reSource->Modified());
        QVERIFY(W->pcTagMenu->isEnabled() && W->tbrLeft->isEnabled() && W->miEdit->isEnabled());
        QVERIFY(W->acSave->isEnabled() && W->acSaveAs->isEnabled());
        QVERIFY(!W->acSaveAll->isEnabled());
        QVERIFY(!W->acClosePage->isEnabled());
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void missingFileWarnsExceptForGivenPath() {
        F->Open(F->Dir.filePath(u"none.html"_s));
        QVERIFY(F->Platform.Messages().isEmpty());
        F->Platform.QueueOpen(TOpenFileResult{F->Dir.filePath(u"none.html"_s), false});
        W->acOpen->trigger();
        QCOMPARE(F->Platform.Messages(), QStringList{u"Файл не найден или не существует."_s});
        QCOMPARE(W->DocumentCount(), 0);
        // The tag toolbars are enabled all the same.
        QVERIFY(W->pcTagMenu->isEnabled());
    }

    void openTwiceInOtherCaseKeepsEdits() {
        const QString a = F->OpenTyped(u"a.html"_s, u"first\n"_s, u"X"_s);
        F->OpenTyped(u"b.html"_s, u"second\n"_s, u"Y"_s);
        QCOMPARE(W->PageTexts()[0], u"Xfirst\n"_s);
        QCOMPARE(W->ModifiedFlags()[0], u"1"_s);
        // The file on disk changes meanwhile: an open document is not read again.
        WriteBytes(a, "changed on disk\r\n");
        F->Open(F->Dir.filePath(u"A.HTML"_s));
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->CurrentIndex(), 0);
        QCOMPARE(W->reSource->Text(), u"Xfirst\n"_s);
        QVERIFY(W->reSource->Modified());
        // The page that was left keeps its own edits too.
        QCOMPARE(W->PageTexts()[1], u"Ysecond\n"_s);
        QCOMPARE(W->ModifiedFlags()[1], u"1"_s);
    }

    void namesAreShownAsText() {
        OpenPage(u"a&b.html"_s, u"x\n"_s);
        QCOMPARE(W->TabCaption(0), u"a&b.html"_s);
        const QString p = OpenPage(u"<img src=/dev/zero>.html"_s, u"x\n"_s);
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->lblFileName->textFormat(), Qt::PlainText);
        QCOMPARE(W->lblFileName->text(), p);
        for (QLabel* panel : W->sbPanels)
            QCOMPARE(panel->textFormat(), Qt::PlainText);
        W->tcEditor->setCurrentIndex(0);
        F->Type(u"1"_s);
        F->Platform.QueueAnswer(TAnswer::No);
        W->acClosePage->trigger();
        QCOMPARE(F->Platform.Messages(), QStringList{u"Сохранить изменения в a&b.html ?"_s});
    }

    // Each tab keeps its own text, modified flag and undo history across switches.
    void switchingKeepsEachPagesTextAndUndo() {
        F->OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        F->OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        OpenPage(u"c.html"_s, u"c\n"_s);
        W->tcEditor->setCurrentIndex(0);
        QCOMPARE(W->reSource->Text(), u"1a\n"_s);
        QVERIFY(W->reSource->Modified());
        W->acUndo->trigger();
        QCOMPARE(W->reSource->Text(), u"a\n"_s);
        W->tcEditor->setCurrentIndex(2);
        QCOMPARE(W->reSource->Text(), u"c\n"_s);
        QVERIFY(!W->reSource->Modified());
        QVERIFY(W->acSaveAll->isEnabled());
        W->tcEditor->setCurrentIndex(1);
        QCOMPARE(W->CurrentIndex(), 1);
        QCOMPARE(W->reSource->Text(), u"2b\n"_s);
        QVERIFY(W->reSource->Modified());
        W->acUndo->trigger();
        QCOMPARE(W->reSource->Text(), u"b\n"_s);
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
        OpenPage(u"a.html"_s, u"a\n"_s);
        QVERIFY(!W->acClosePage->isEnabled());
        OpenPage(u"b.html"_s, u"b\n"_s);
        OpenPage(u"c.html"_s, u"c\n"_s);
        QVERIFY(W->acClosePage->isEnabled());
        W->tcEditor->setCurrentIndex(closeIndex);
        W->acClosePage->trigger();
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->reSource->Text(), shown);
        QVERIFY(F->Platform.Messages().isEmpty());
        W->acClosePage->trigger();
        QCOMPARE(W->DocumentCount(), 1);
        QVERIFY(!W->acClosePage->isEnabled());
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
        OpenPage(u"a.html"_s, u"a\n"_s);
        const QString b = OpenPage(u"b.html"_s, u"b\n"_s);
        F->Type(u"Z"_s);
        F->Platform.QueueAnswer(TAnswer(answer));
        W->acClosePage->trigger();
        QCOMPARE(F->Platform.Messages(), QStringList{u"Сохранить изменения в b.html ?"_s});
        QCOMPARE(F->Platform.Calls.first().Buttons, TButtons::YesNoCancel);
        QCOMPARE(W->DocumentCount(), remaining);
        QCOMPARE(ReadBytes(b), onDisk);
    }

    void quitAsksInTabOrderAndCancelStops() {
        const QString a = F->OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        const QString b = F->OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        F->Platform.QueueAnswer(TAnswer::Yes);
        F->Platform.QueueAnswer(TAnswer::Cancel);
        QVERIFY(!W->close());
        QCOMPARE(F->Platform.Messages(), (QStringList{u"Сохранить изменения в a.html ?"_s,
                                                      u"Сохранить изменения в b.html ?"_s}));
        QCOMPARE(ReadBytes(a), QByteArray("1a\r\n"));
        QCOMPARE(ReadBytes(b), QByteArray("b\r\n"));
        QVERIFY(W->isVisible());
        QCOMPARE(W->ModifiedFlags(), (QStringList{u"0"_s, u"1"_s}));
        // Once nothing is modified, quitting asks nothing more.
        F->Platform.Clear();
        W->Documents->At(1)->setModified(false);
        W->reSource->SetModified(false);
        QVERIFY(W->close());
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void readOnlyDocument() {
        const QString p = F->Page(u"ro.html"_s, u"text\n"_s);
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        F->Open(p);
        QCOMPARE(W->ReadOnlyFlags(), QStringList{u"1"_s});
        QCOMPARE(W->StatusText(1), u"Только чтение"_s);
        F->Type(u"abc"_s);
        W->reSource->Select(0, 4);
        W->acBold->trigger();
        W->acBr->trigger();
        QCOMPARE(W->reSource->Text(), u"text\n"_s);
        QVERIFY(!W->reSource->Modified());
        QCOMPARE(W->ModifiedFlags(), QStringList{u"0"_s});
        // Save As under another name makes it writable.
        const QString copy = F->Dir.filePath(u"copy.html"_s);
        F->Platform.QueueSave(copy);
        W->acSaveAs->trigger();
        QCOMPARE(W->ReadOnlyFlags(), QStringList{u"0"_s});
        QCOMPARE(W->StatusText(1), QString());
        QVERIFY(!W->reSource->isReadOnly());
        QCOMPARE(ReadBytes(copy), QByteArray("text\r\n"));
        QCOMPARE(W->FileNames(), QStringList{copy});
        QCOMPARE(W->lblFileName->text(), copy);
        QVERIFY(!W->acSave->isEnabled());
    }

    void fileDialogRequests() {
        const QString p = F->Page(u"sub/a.html"_s, u"a\n"_s);
        F->Platform.QueueOpen(TOpenFileResult{p, true});
        W->acOpen->trigger();
        const TOpenFileRequest& open = F->Platform.OpenRequests.first();
        QCOMPARE(open.Title, u"Открыть файл"_s);
        QCOMPARE(open.DefaultExt, u"html"_s);
        QVERIFY(open.OfferReadOnly);
        QCOMPARE(W->ReadOnlyFlags(), QStringList{u"1"_s});
        const QString sub = F->Dir.filePath(u"sub"_s);
        QCOMPARE(W->OpenDialogDir, sub);
        // The save dialog starts in the folder of the page last opened.
        F->Platform.QueueSave(std::nullopt);
        W->acSaveAs->trigger();
        const TSaveFileRequest& save = F->Platform.SaveRequests.first();
        QCOMPARE(save.Title, u"Сохранить файл как..."_s);
        QCOMPARE(save.FileName, sub + u"/Безымянный"_s);
        QVERIFY(save.ConfirmOverwrite);
        QVERIFY(save.OnTypeChange);
        QCOMPARE(save.OnTypeChange(0), sub + u"/Безымянный.xhtml"_s);
        // Cancelled: nothing changed.
        QCOMPARE(W->FileNames(), QStringList{p});
        QCOMPARE(W->ReadOnlyFlags(), QStringList{u"1"_s});
    }

    void saveAllWritesLiveEditorText() {
        const QString a = F->OpenTyped(u"a.html"_s, u"a\n"_s, u"1"_s);
        const QString b = F->OpenTyped(u"b.html"_s, u"b\n"_s, u"2"_s);
        W->tcEditor->setCurrentIndex(0);
        F->Type(u"3"_s); // the caret is back where it was left
        QVERIFY(W->acSaveAll->isEnabled());
        W->acSaveAll->trigger();
        QCOMPARE(ReadBytes(a), QByteArray("13a\r\n"));
        QCOMPARE(ReadBytes(b), QByteArray("2b\r\n"));
        QCOMPARE(W->ModifiedFlags(), (QStringList{u"0"_s, u"0"_s}));
        QVERIFY(!W->reSource->Modified());
        QVERIFY(!W->acSaveAll->isEnabled());
    }

    void saveAsProposals_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<int>("type"); // -1: the first proposal, else the type picked
        QTest::addColumn<QString>("proposal");
        QTest::newRow("windows folder")
            << u"C:\\site"_s << u"\\"_s << -1 << u"C:\\site\\Безымянный"_s;
        QTest::newRow("root") << u"/"_s << u"/"_s << -1 << u"/Безымянный"_s;
        QTest::newRow("xhtml") << u"/site"_s << u"/"_s << 0 << u"/site/Безымянный.xhtml"_s;
        QTest::newRow("css has no extension") << u"/site"_s << u"/"_s << 4 << u"/site/Безымянный"_s;
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

    // A page writes the characters Windows-1251 lacks as references and counts them; a style
    // sheet cannot take a reference: its save is refused and it stays changed.
    void charactersWindows1251Lacks() {
        const QString p = OpenPage(u"a.html"_s, u"a\n"_s);
        W->reSource->insertPlainText(u"€ ☺ 😀 "_s); // € is in Windows-1251, the others not
        W->acSave->trigger();
        QCOMPARE(ReadBytes(p), QByteArray("\x88 &#9786; &#128512; a\r\n"));
        QVERIFY(W->StatusText(0).endsWith(u": 2"_s));
        F->Type(u"b"_s);
        W->acSave->trigger();
        QVERIFY(W->StatusText(0).endsWith(u": 2"_s)); // the text still holds both
        QVERIFY(F->Platform.Messages().isEmpty());

        const QString css = OpenPage(u"s.css"_s, u"p {}\n"_s);
        W->reSource->insertPlainText(u"中"_s);
        W->acSave->trigger();
        QCOMPARE(F->Platform.Messages().size(), 1);
        QVERIFY(F->Platform.Messages().first().contains(u"Windows-1251"_s));
        QCOMPARE(ReadBytes(css), QByteArray("p {}\r\n"));
        QCOMPARE(W->ModifiedFlags()[1], u"1"_s);
        QVERIFY(W->reSource->Modified());
    }

    void reloadDocumentTexts() {
        const QString a = OpenPage(u"a.html"_s, u"a\n"_s);
        const QString b = OpenPage(u"b.html"_s, u"b\n"_s);
        WriteBytes(a, "A2\r\n");
        WriteBytes(b, "B2");
        W->ReloadDocumentTexts();
        QCOMPARE(W->PageTexts(), (QStringList{u"A2\n"_s, u"B2\n"_s}));
        QCOMPARE(W->reSource->Text(), u"B2\n"_s);
    }

    void droppedFiles() {
        const QString page = F->Page(u"a.html"_s, u"a\n"_s);
        const QString image = F->Dir.filePath(u"p.png"_s);
        WriteBytes(image, "png");
        W->DropFiles({image, page});
        QCOMPARE(W->FileNames(), QStringList{page});
        // Dropped or opened again, the shown page keeps its edits and their undo.
        F->Type(u"typed "_s);
        W->DropFiles({page});
        F->Open(page);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->Text(), u"typed a\n"_s);
        QVERIFY(W->reSource->Modified());
        W->reSource->undo();
        QCOMPARE(W->reSource->Text(), u"a\n"_s);
        // A page open in another tab is selected.
        OpenPage(u"b.html"_s, u"b\n"_s);
        W->DropFiles({page});
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->CurrentIndex(), 0);
        QVERIFY(F->Platform.Messages().isEmpty());
    }

    void previewCopyIsOursAlone() {
        TDocumentSet& docs = *W->Documents;
        OpenPage(u"a.html"_s, u"a\n"_s);
        // A file of that name that this run did not write belongs to the user.
        const QString users = docs.PreviewFile();
        WriteBytes(users, "user's own");
        OpenPage(u"sub/b.html"_s, u"b\n"_s);
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
        QCOMPARE(docs.PreviewFile(), F->Dir.filePath(u"sub/tmp_no0.html"_s));
        // The copy this run wrote goes at the next switch; a link planted at its name is
        // replaced, never written through.
        const QString victim = F->Dir.filePath(u"victim.txt"_s);
        WriteBytes(victim, "keep");
        QVERIFY(QFile::link(victim, docs.PreviewFile()));
        docs.WritePreviewFile(u"<p>ё</p>\n"_s);
        QCOMPARE(ReadBytes(victim), QByteArray("keep"));
        QCOMPARE(ReadBytes(docs.PreviewFile()), QByteArray("<p>\xb8</p>\r\n"));
        const QString written = docs.PreviewFile();
        W->tcEditor->setCurrentIndex(0);
        QVERIFY(!QFileInfo::exists(written));
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
        // A window that goes away without being closed takes its copies with it too.
        W->tcEditor->setCurrentIndex(1);
        docs.WritePreviewFile(u"x"_s);
        QVERIFY(QFileInfo::exists(written));
        F->W.reset();
        QVERIFY(!QFileInfo::exists(written));
        QCOMPARE(ReadBytes(users), QByteArray("user's own"));
    }

    void pageNamedLikeThePreviewSurvives() {
        const QString page = OpenPage(u"tmp_no0.html"_s, u"page\n"_s);
        QVERIFY_THROWS_EXCEPTION(EFileError, W->Documents->WritePreviewFile(u"x"_s));
        OpenPage(u"b.html"_s, u"b\n"_s);
        W->CloseAllDocuments();
        QVERIFY(W->close());
        QCOMPARE(ReadBytes(page), QByteArray("page\r\n"));
    }

    void modifiedTabsAreMarkedAndKeysSwitchTabs() {
        OpenPage(u"a.html"_s, u"a\n"_s);
        OpenPage(u"b.html"_s, u"b\n"_s);
        OpenPage(u"c.html"_s, u"c\n"_s);
        F->Type(u"x"_s);
        QVERIFY(W->tcEditor->tabIcon(0).isNull());
        QVERIFY(!W->tcEditor->tabIcon(2).isNull());
        QCOMPARE(W->TabCaption(2), u"c.html"_s);
        W->acSave->trigger();
        QVERIFY(W->tcEditor->tabIcon(2).isNull());

        W->show();
        QVERIFY(QTest::qWaitForWindowActive(W));
        W->reSource->setFocus();
        QTest::keyClick(W->reSource, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(W->CurrentIndex(), 0); // wraps round
        QTest::keyClick(W->reSource, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(W->CurrentIndex(), 1);
        QTest::keyClick(W->reSource, Qt::Key_PageUp, Qt::ControlModifier);
        QTest::keyClick(W->reSource, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(W->CurrentIndex(), 2);
        QCOMPARE(W->reSource->Text(), u"xc\n"_s);
    }

    void longLinesAreNotWrapped() {
        QVERIFY(W->acWordWrap->isChecked());
        OpenPage(u"short.html"_s, u"<p>short</p>\n"_s);
        QCOMPARE(W->reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        const QString line(TfrmMain::kLongestWrappedLine + 1, u'x');
        OpenPage(u"long.html"_s, line + u"\n"_s);
        QCOMPARE(W->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!W->StatusText(0).isEmpty());
        QVERIFY(W->acWordWrap->isChecked()); // the setting itself stays
        W->tcEditor->setCurrentIndex(0);
        QCOMPARE(W->reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }

    void editCommandsFollowTarget() {
        OpenPage(u"a.html"_s, u"abc\n"_s);
        W->edFindText->setText(u"find"_s);
        W->edFindText->setFocus();
        QTRY_COMPARE(W->acSelectAll->data().toInt(), int(etFindText));
        W->acSelectAll->trigger();
        QCOMPARE(W->edFindText->selectedText(), u"find"_s);
        QCOMPARE(W->reSource->SelLength(), 0);
        W->reSource->setFocus();
        QTRY_COMPARE(W->acSelectAll->data().toInt(), int(etEditor));
        W->acSelectAll->trigger();
        QCOMPARE(W->reSource->SelLength(), 4);
        QVERIFY(W->acCopy->isEnabled() && W->acCut->isEnabled() &&
                W->QuickLists->cbHeaderStyle->isEnabled());
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
