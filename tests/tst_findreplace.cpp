// The search page of the main window: find and replace in the shown page, the results list
// with its panel, and find and replace across a project in a temporary folder.
#include "app/documentset.h"
#include "site/findreplace.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace Qt::StringLiterals;
using testutil::Cp1251;
using testutil::ReadBytes;
using testutil::WriteBytes;

namespace {

// Answers the questions as the scripted platform does and notes, at each one, the editor's
// selection and whether the caret can be seen.
class TAskingPlatform : public TScriptedPlatform {
public:
    explicit TAskingPlatform(TfrmMain* w) : W(w) {}
    TAnswer MessageBox(QWidget* parent, TMsgKind kind, const QString& text, TButtons buttons,
                       const QString& caption) override {
        Selections << QPoint(W->reSource->SelStart(), W->reSource->SelLength());
        Visible << W->reSource->viewport()->rect().contains(W->reSource->cursorRect());
        return TScriptedPlatform::MessageBox(parent, kind, text, buttons, caption);
    }
    TfrmMain* W;
    QList<QPoint> Selections;
    QList<bool> Visible;
};

} // namespace

class TestFindReplace : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;
    TFindReplace* R = nullptr;

    void ShowPage(const QString& text, int selStart = 0, int selLength = 0) {
        F->ShowText(text, 0);
        W->reSource->Select(selStart, selLength);
    }
    void SetFind(const QString& what, const QString& with = QString()) {
        W->edFindText->setText(what);
        W->edReplaceWith->setText(with);
    }
    QPoint Selection() const { return {W->reSource->SelStart(), W->reSource->SelLength()}; }
    // The results panel as "on|off drag|fixed height".
    QString Panel() const {
        return u"%1 %2 %3"_s.arg(W->acFoundFiles->isChecked() ? u"on"_s : u"off"_s)
            .arg(W->splEditorFind->handle(1)->isEnabled() ? u"drag"_s : u"fixed"_s)
            .arg(W->lvSearchResults->height());
    }
    void ReplaceAllAsking(const QString& what, const QString& with) {
        SetFind(what, with);
        R->chkReplaceAll->setChecked(true);
        R->chkReplacePromt->setChecked(true);
        W->acReplace->trigger();
    }
    void FindInProject(const QString& what) {
        SetFind(what);
        R->chkEntireSite->setChecked(true);
        W->acFind->trigger();
    }
    void OpenRow(int row) {
        W->lvSearchResults->setCurrentItem(W->lvSearchResults->topLevelItem(row));
        R->lvSearchResultsDblClick();
    }

    // A project folder inside the fixture's temporary folder; the window sees it as open.
    QString Project() {
        const QString root = F->Dir.filePath(u"site"_s);
        QDir().mkpath(root);
        W->ProjectRootDir = [root] { return root; };
        R->ProjectStateChanged();
        return root;
    }
    static void Put(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteBytes(path, bytes);
    }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < W->lvSearchResults->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = W->lvSearchResults->topLevelItem(i);
            rows << item->text(0) + u'|' + item->text(1);
        }
        rows.sort();
        return rows;
    }
    static QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
        R = W->FindReplace;
        QVERIFY(R);
    }
    void cleanup() {
        QVERIFY2(F->Platform.Unanswered.isEmpty(), qPrintable(F->Platform.Unanswered.join(u'\n')));
        F.reset();
    }

    void pageControls() {
        QCOMPARE(R->chkReplacePromt->text(), u"Подтверждать  замену"_s);
        QCOMPARE(R->chkFromCursor->toolTip(), u"По умолчанию текст ищется от начала страницы"_s);
        QCOMPARE(R->sbFind->defaultAction(), W->acFind);
        QCOMPARE(R->sbReplace->defaultAction(), W->acReplace);
        // No project: the whole-project box is off and cannot be ticked.
        QVERIFY(!R->chkEntireSite->isEnabled());
        QVERIFY(!R->chkEntireSite->isChecked());
        Project();
        QVERIFY(R->chkEntireSite->isEnabled());
    }

    // The boxes reach the matcher; its rules are pinned in tst_findlogic.
    void findInPage() {
        ShowPage(u"x TITLE Title table tab"_s);
        SetFind(u"Title"_s);
        W->acFind->trigger();
        QCOMPARE(Selection(), QPoint(2, 5));
        QVERIFY(R->chkFromCursor->isChecked());
        R->chkFromCursor->setChecked(false);
        R->chkMatchCase->setChecked(true);
        W->acFind->trigger();
        QCOMPARE(Selection(), QPoint(8, 5));
        SetFind(u"tab"_s);
        R->chkFromCursor->setChecked(false);
        R->chkWholeWord->setChecked(true);
        W->acFind->trigger();
        QCOMPARE(Selection(), QPoint(20, 3));
        QVERIFY(F->Platform.Calls.isEmpty()); // never a message
    }

    void findWalksThroughPage() {
        ShowPage(u"one two one two one"_s, 9, 0);
        SetFind(u"one"_s);
        // The first find starts at the top whatever the caret; past the last one nothing moves.
        for (int at : {0, 8, 16, 16}) {
            W->acFind->trigger();
            QCOMPARE(Selection(), QPoint(at, 3));
        }
        R->chkFromCursor->setChecked(false);
        W->acFind->trigger();
        QCOMPARE(Selection(), QPoint(0, 3));
        // From the caret.
        W->reSource->Select(5, 0);
        W->acFind->trigger();
        QCOMPARE(Selection(), QPoint(8, 3));
    }

    void replace_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("fromCursor");
        QTest::addColumn<bool>("all"); // otherwise one, with the prompt box ticked
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("one asks nothing")
            << u"a a a"_s << 1 << true << false << u"a"_s << u"bb"_s << u"a bb a"_s << 4;
        QTest::newRow("all, a to aa ends")
            << u"aaa"_s << 0 << false << true << u"a"_s << u"aa"_s << u"aaaaaa"_s << 6;
        QTest::newRow("all from the caret")
            << u"ab ab ab"_s << 3 << true << true << u"ab"_s << u"X"_s << u"ab X X"_s << 6;
        QTest::newRow("all cyrillic")
            << u"Дом, дом."_s << 0 << false << true << u"дом"_s << u"сад"_s << u"сад, сад."_s << 8;
    }
    void replace() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(bool, fromCursor);
        QFETCH(bool, all);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, result);
        QFETCH(int, caretAfter);
        ShowPage(text, caret);
        SetFind(what, with);
        R->chkReplaceAll->setChecked(all);
        R->chkReplacePromt->setChecked(!all);
        R->chkFromCursor->setChecked(fromCursor);
        W->acReplace->trigger();
        QCOMPARE(W->reSource->Text(), result);
        QCOMPARE(Selection(), QPoint(caretAfter, 0)); // the caret after the inserted text
        QVERIFY(W->Documents->Current()->Modified());
        QVERIFY(F->Platform.Calls.isEmpty());
        // One undo step takes the whole command back.
        W->reSource->undo();
        QCOMPARE(W->reSource->Text(), text);
    }

    void confirmedReplace_data() {
        QTest::addColumn<QList<int>>("answers"); // 1 yes, 0 no
        QTest::addColumn<QString>("result");
        QTest::newRow("all no") << QList<int>{0, 0, 0} << u"x a a a"_s;
        QTest::newRow("yes no yes") << QList<int>{1, 0, 1} << u"x bb a bb"_s;
    }
    // The occurrences stand 300 lines down: each question must scroll its occurrence into view.
    void confirmedReplace() {
        QFETCH(QList<int>, answers);
        QFETCH(QString, result);
        QString pad;
        for (int i = 0; i < 300; ++i)
            pad += u"line %1\n"_s.arg(i);
        const QString text = pad + u"x a a a"_s;
        ShowPage(text);
        TAskingPlatform asking(W);
        for (int a : answers)
            asking.QueueAnswer(a ? TAnswer::Yes : TAnswer::No);
        W->reSource->verticalScrollBar()->setValue(0);
        ReplaceAllAsking(u"a"_s, u"bb"_s);
        QCOMPARE(W->reSource->Text(), pad + result);
        QCOMPARE(asking.Messages(), QStringList(answers.size(), u"Заменить этот экземпляр a?"_s));
        QCOMPARE(asking.Calls.first().Buttons, TButtons::YesNo);
        QVERIFY(asking.Unanswered.isEmpty());
        // Each question showed its occurrence selected, where the text then stood.
        QList<QPoint> expected;
        int shift = int(pad.size());
        for (int i = 0; i < 3; ++i) {
            expected << QPoint(2 + 2 * i + shift, 1);
            shift += answers[i] ? 1 : 0;
        }
        QCOMPARE(asking.Selections, expected);
        QCOMPARE(asking.Visible, QList<bool>(answers.size(), true));
        if (answers.contains(1)) {
            W->reSource->undo();
            QCOMPARE(W->reSource->Text(), text);
        }
    }

    void readOnlyPageIsNotChanged() {
        const QString path = F->Page(u"ro.html"_s, u"a a\n"_s);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        F->Open(path);
        QVERIFY(W->reSource->isReadOnly());
        SetFind(u"a"_s, u"b"_s);
        for (bool all : {false, true}) {
            R->chkReplaceAll->setChecked(all);
            W->acReplace->trigger();
            QCOMPARE(W->reSource->Text(), u"a a\n"_s);
        }
    }

    void emptyFindTextDoesNothing() {
        ShowPage(u"abc"_s, 1, 1);
        SetFind(QString(), u"x"_s);
        R->chkReplaceAll->setChecked(true);
        W->acReplace->trigger();
        W->acFind->trigger();
        QCOMPARE(W->reSource->Text(), u"abc"_s);
        QCOMPARE(Selection(), QPoint(1, 1));
        // Across the project: the rows of the last find stay.
        Project();
        new QTreeWidgetItem(W->lvSearchResults, {u"a.html"_s, u"line"_s});
        R->chkEntireSite->setChecked(true);
        W->acFind->trigger();
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 1);
    }

    void findFieldTakesSelectionOrWord_data() {
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("field");
        // "hello wide world\nnext"
        QTest::newRow("selection") << 6 << 4 << u"wide"_s;
        QTest::newRow("word at the caret") << 13 << 0 << u"world"_s;
        QTest::newRow("no word") << 17 << 0 << QString();
        QTest::newRow("selection over lines") << 11 << 10 << u"world "_s;
    }
    void findFieldTakesSelectionOrWord() {
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, field);
        ShowPage(u"hello wide world \nnext"_s, selStart, selLength);
        W->edFindText->setText(u"old"_s);
        // Typing in the replace field first changes nothing of it.
        W->edReplaceWith->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(W->edReplaceWith, u"new"_s);
        W->edFindText->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(W->edFindText->hasFocus());
        QCOMPARE(W->edFindText->text(), field);
        QCOMPARE(W->edReplaceWith->text(), u"new"_s);
        // Showing the search page does the same.
        W->pcNavigator->setCurrentWidget(W->tsNavigator);
        W->reSource->setFocus();
        W->reSource->Select(selStart, selLength);
        W->edFindText->setText(u"old"_s);
        W->pcNavigator->setCurrentWidget(W->tsFind);
        QCOMPARE(W->edFindText->text(), field);
    }

    void resultsPanelToggles() {
        QCOMPARE(Panel(), u"off fixed 10"_s);
        W->acFoundFiles->trigger();
        QCOMPARE(Panel(), u"on drag 150"_s); // the first time
        W->acFoundFiles->trigger();
        QCOMPARE(Panel(), u"off fixed 10"_s);
        // A dragged height comes back; the list is never taller than 300.
        W->acFoundFiles->trigger();
        QSplitter* spl = W->splEditorFind;
        const int total = spl->sizes().value(0) + spl->sizes().value(1);
        spl->setSizes({total - 220, 220});
        W->acFoundFiles->trigger();
        QCOMPARE(Panel(), u"off fixed 10"_s);
        W->acFoundFiles->trigger();
        QCOMPARE(Panel(), u"on drag 220"_s);
        spl->setSizes({total - 400, 400});
        QCOMPARE(W->lvSearchResults->height(), 300);
    }

    void findInProject() {
        const QString root = Project();
        Put(root + u"/page.HTML"_s, "<p>\r\nbanana\r\n</p>\r\n");
        Put(root + u"/news/lib.JS"_s, "var a;\n");
        Put(root + u"/notes.txt"_s, Cp1251(u"Заметка: a\r\n"_s)); // a Latin "a" only
        for (const QString& name : {u"NOTES.TXT"_s, u"image.gif"_s, u"data.csv"_s})
            Put(root + u'/' + name, "a a a\n");
        Put(root + u"/App.class"_s, QByteArray("\xca\xfe\0\x01 java\n", 11));
        W->acFoundFiles->trigger(); // a shown panel with no rows yet stays shown
        W->acFoundFiles->trigger();
        QVERIFY(!W->acFoundFiles->isChecked());

        FindInProject(u"A"_s);
        const QString banana = u"page.HTML|banana"_s;
        const QString lib = Native(u"news/lib.JS|var a;"_s);
        QCOMPARE(Rows(),
                 (QStringList{lib, lib, u"notes.txt|Заметка: a"_s, banana, banana, banana}));
        QCOMPARE(Panel(), u"on drag 150"_s);
        QVERIFY(F->Platform.Calls.isEmpty());

        // A second find replaces the rows; the panel stays.
        Put(root + u"/news/more.jsp"_s, "<% java %>\n");
        FindInProject(u"java"_s);
        QCOMPARE(Rows(), QStringList{Native(u"news/more.jsp|<% java %>"_s)});
        QVERIFY(W->acFoundFiles->isChecked());
        // Nothing found: an empty list, the panel as it was.
        FindInProject(u"nowhere"_s);
        QCOMPARE(Rows(), QStringList());
        QVERIFY(W->acFoundFiles->isChecked());
    }

    // Open a project, find across it through the page's controls, double-click a result: the
    // file opens in a tab with the caret at that line.
    void findAndOpenResult() {
        const QString root = Project();
        Put(root + u"/index.html"_s, "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
        Put(root + u"/news/item.html"_s,
            Cp1251(u"<p>Новость</p>\r\n<p>разное</p>\r\n<p>Новость</p>\r\n"_s));
        W->pcNavigator->setCurrentWidget(W->tsFind);
        W->edFindText->setText(u"новость"_s);
        QTest::mouseClick(R->chkEntireSite, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(R->chkEntireSite->isChecked());
        QTest::mouseClick(R->sbFind, Qt::LeftButton);
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 2);
        QCOMPARE(W->DocumentCount(), 0);

        // The second row: the same line text as the first, two lines further down.
        QTreeWidgetItem* item = W->lvSearchResults->topLevelItem(1);
        QCOMPARE(item->text(0), Native(u"news/item.html"_s));
        QCOMPARE(item->text(1), u"<p>Новость</p>"_s);
        W->lvSearchResults->scrollToItem(item);
        const QRect rect = W->lvSearchResults->visualItemRect(item);
        QTest::mouseClick(W->lvSearchResults->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(W->lvSearchResults->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(QFileInfo(W->Documents->CurrentPath()), QFileInfo(root + u"/news/item.html"_s));
        QCOMPARE(W->reSource->textCursor().blockNumber(), 2);
        QCOMPARE(W->reSource->textCursor().positionInBlock(), 0);
        QVERIFY(W->PendingPath.isEmpty());

        // Open already: the tab is selected again, at the first row's line.
        F->Open(root + u"/index.html"_s);
        QCOMPARE(W->CurrentIndex(), 1);
        OpenRow(0);
        QCOMPARE(W->DocumentCount(), 2);
        QCOMPARE(W->CurrentIndex(), 0);
        QCOMPARE(W->reSource->textCursor().blockNumber(), 0);
        QVERIFY(F->Platform.Calls.isEmpty());
    }

    void openResultAfterChanges() {
        const QString root = Project();
        Put(root + u"/a.html"_s, "x\r\nkey line\r\n");
        FindInProject(u"key"_s);
        // No project open any more: nothing opens.
        W->ProjectRootDir = [] { return QString(); };
        OpenRow(0);
        QCOMPARE(W->DocumentCount(), 0);
        W->ProjectRootDir = [root] { return root; };
        // The file changed since the find: its line moved down.
        Put(root + u"/a.html"_s, "x\r\ny\r\nz\r\nkey line\r\n");
        OpenRow(0);
        QCOMPARE(W->reSource->textCursor().blockNumber(), 3);
        // The line is gone: the caret goes to the start.
        W->CloseAllDocuments();
        Put(root + u"/a.html"_s, "x\r\ny\r\n");
        OpenRow(0);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->SelStart(), 0);
        // The file was deleted since the find.
        W->CloseAllDocuments();
        QFile::remove(root + u"/a.html"_s);
        OpenRow(0);
        QCOMPARE(W->DocumentCount(), 0);
        QVERIFY(F->Platform.Calls.isEmpty());
        QVERIFY(W->PendingPath.isEmpty());
    }

    void replaceInProject() {
        const QString root = Project();
        Put(root + u"/a.html"_s, "one two\r\n");
        Put(root + u"/sub/b.css"_s, "p { one: 1 }\n");
        Put(root + u"/sub/none.txt"_s, "nothing\nhere"); // rewritten too
        Put(root + u"/data.csv"_s, "one\n");
        const QByteArray binary("\xca\xfe\0\0one\n", 8);
        Put(root + u"/App.class"_s, binary);
        F->Open(root + u"/a.html"_s);
        F->Type(u"unsaved "_s);
        QCOMPARE(W->ModifiedFlags(), QStringList{u"1"_s});

        SetFind(u"ONE"_s, u"три"_s);
        R->chkEntireSite->setChecked(true);
        R->chkReplacePromt->setChecked(true); // asks nothing about the occurrences
        // The unsaved typing is offered for saving first; "Отмена" leaves every file and the
        // typing as they were.
        F->Platform.QueueAnswer(TAnswer::Cancel);
        W->acReplace->trigger();
        QCOMPARE(F->Platform.Calls.size(), 1);
        QCOMPARE(ReadBytes(root + u"/a.html"_s), QByteArray("one two\r\n"));
        QCOMPARE(ReadBytes(root + u"/sub/b.css"_s), QByteArray("p { one: 1 }\n"));
        QCOMPARE(W->reSource->Text(), u"unsaved one two\n"_s);
        F->Platform.Clear();
        // "Да" saves it, and the replace then works on the saved text.
        F->Platform.QueueAnswer(TAnswer::Yes);
        W->acReplace->trigger();
        QCOMPARE(F->Platform.Calls.size(), 1);
        F->Platform.Clear();
        QCOMPARE(ReadBytes(root + u"/a.html"_s), Cp1251(u"unsaved три two\r\n"_s));
        QCOMPARE(ReadBytes(root + u"/sub/b.css"_s), Cp1251(u"p { три: 1 }\r\n"_s));
        QCOMPARE(ReadBytes(root + u"/sub/none.txt"_s), QByteArray("nothing\r\nhere\r\n"));
        QCOMPARE(ReadBytes(root + u"/data.csv"_s), QByteArray("one\n"));
        QCOMPARE(ReadBytes(root + u"/App.class"_s), binary);
        // The open document shows its file's new text.
        QCOMPARE(W->reSource->Text(), u"unsaved три two\n"_s);
        QVERIFY(F->Platform.Calls.isEmpty());
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 0);
    }

    void replaceInProjectStopsAtFailure() {
        const QString root = Project();
        Put(root + u"/a.html"_s, "old\r\n");
        const QString locked = root + u"/sub/locked.html"_s;
        Put(locked, "old\r\n");
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        SetFind(u"old"_s, u"new"_s);
        R->chkEntireSite->setChecked(true);
        W->acReplace->trigger();
        QCOMPARE(F->Platform.Messages().size(), 1);
        QVERIFY(F->Platform.Messages().first().contains(u"locked.html"_s));
        QCOMPARE(ReadBytes(root + u"/a.html"_s), QByteArray("new\r\n")); // done before
        QCOMPARE(ReadBytes(locked), QByteArray("old\r\n"));              // left intact
        QCOMPARE(QDir(root + u"/sub"_s).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"locked.html"_s});
        QVERIFY(W->acFind->isEnabled() && W->acReplace->isEnabled());
        QVERIFY(!R->Busy());
        // The next one runs.
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
        F->Platform.Clear();
        W->acReplace->trigger();
        QVERIFY(F->Platform.Calls.isEmpty());
        QCOMPARE(ReadBytes(locked), QByteArray("new\r\n"));
    }

    void walkShowsProgressAndRunsOnce() {
        const QString root = Project();
        for (int i = 0; i < 5; ++i)
            Put(root + u"/p%1.html"_s.arg(i), "word\r\n");
        W->SetStatusText(0, u"before"_s);
        R->PaintIntervalMs = 0; // let the window in at every file
        SetFind(u"word"_s);
        R->chkEntireSite->setChecked(true);
        bool ran = false;
        bool enabledDuringWalk = true;
        QString status;
        // A timer runs while the walk lets the window in; its second Find must do nothing.
        QTimer::singleShot(0, W, [&] {
            ran = true;
            enabledDuringWalk = W->acFind->isEnabled() || W->acReplace->isEnabled();
            status = W->StatusText(0);
            R->acFindExecute();
            R->acReplaceExecute();
        });
        W->acFind->trigger();
        QVERIFY(ran);
        QVERIFY(!enabledDuringWalk);
        QVERIFY(status.startsWith(u"Поиск в файлах проекта: "_s));
        QVERIFY(status.endsWith(u" из 5"_s));
        QCOMPARE(W->lvSearchResults->topLevelItemCount(), 5); // one walk, not two
        QCOMPARE(W->StatusText(0), u"before"_s);
        QVERIFY(W->acFind->isEnabled() && W->acReplace->isEnabled());
    }
};

QTEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
