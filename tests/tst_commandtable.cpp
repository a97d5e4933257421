// The command table of the main window: each row's action, where every command is shown,
// shortcuts reaching their commands from the editor, and no two commands fighting over a key.
#include "app/actiontable.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QDialog>
#include <QSet>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCommandTable : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    // The commands a box holds: its actions, buttons bound to them, menu items standing in for
    // a command under a caption of their own ("miNewProject" for acNewProject), and what a click
    // on a button bound to no command of its own (the project button) runs, its dialogs cancelled.
    QStringList Held(QWidget* box) {
        QStringList held;
        for (QAction* item : box->actions()) {
            if (W->Actions().contains(item))
                held << item->objectName();
            else if (item->objectName().startsWith(u"mi"_s) &&
                     W->ActionByName(u"ac"_s + item->objectName().mid(2)))
                held << u"ac"_s + item->objectName().mid(2);
        }
        for (QToolButton* b : box->findChildren<QToolButton*>()) {
            if (b->defaultAction()) {
                held << b->defaultAction()->objectName();
                continue;
            }
            if (!b->objectName().startsWith(u"tb"_s) || !b->isEnabled())
                continue;
            QList<QMetaObject::Connection> connections;
            for (QAction* a : W->Actions())
                connections << connect(a, &QAction::triggered,
                                       [&held, a] { held << a->objectName(); });
            for (int i = 0; i < 4; ++i)
                F->Platform.QueueDialog([](QDialog*) { return int(QDialog::Rejected); });
            b->click();
            for (const auto& c : connections)
                disconnect(c);
            F->Platform.Clear();
        }
        held.removeDuplicates();
        held.sort();
        return held;
    }

private slots:
    void init() {
        F = std::make_unique<TWindowFixture>();
        W = F->W.get();
    }
    void cleanup() { F.reset(); }

    void everyRowIsAnAction() {
        QSet<QString> names;
        for (const TActionRow& row : ActionTable()) {
            const QString name = QString::fromLatin1(row.Name);
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QAction* a = W->ActionByName(name);
            QVERIFY2(a && a == (*W).*(row.Member), qPrintable(name));
            // The row's words and key reach the action; an icon-only one shows its hint.
            const QString caption = QString::fromUtf16(row.Caption);
            const QString hint = QString::fromUtf16(row.Hint);
            QCOMPARE(a->text(), caption.isEmpty() ? hint : caption);
            if (!hint.isEmpty())
                QCOMPARE(a->toolTip(), hint);
            // The hint tells what an icon does; a caption's mnemonic mark stays out of it.
            QVERIFY2(!a->toolTip().isEmpty() && !a->toolTip().contains(u'&'), qPrintable(name));
            QCOMPARE(a->shortcut(),
                     QKeySequence(QString::fromLatin1(row.Keys), QKeySequence::PortableText));
        }
        QCOMPARE(W->Actions().size(), qsizetype(names.size()));
        // Disabled while no document is open: what needs a document, or something to save,
        // undo, cut or copy, or a project to edit.
        static const QStringList disabledAtStart{
            u"acPreview"_s,    u"acClosePage"_s, u"acInternalPreview"_s,
            u"acSaveAll"_s,    u"acSave"_s,      u"acSaveAs"_s,
            u"acUpdatePage"_s, u"acUndo"_s,      u"acEditProject"_s,
            u"acCut"_s,        u"acCopy"_s};
        for (QAction* a : W->Actions())
            QVERIFY2(a->isEnabled() != disabledAtStart.contains(a->objectName()),
                     qPrintable(a->objectName()));
    }

    void shortcutsAreUnique() {
        // Qt triggers neither of two actions that share a key, so a clash silently kills both.
        QHash<QKeySequence, QString> seen;
        for (QAction* a : W->Actions()) {
            if (a->shortcut().isEmpty())
                continue;
            QVERIFY2(!seen.contains(a->shortcut()),
                     qPrintable(a->objectName() + u" and "_s + seen.value(a->shortcut())));
            seen.insert(a->shortcut(), a->objectName());
        }
    }

    void ctrlF4ClosesOnlyWhileSeveralAreOpen() {
        QVERIFY(QTest::qWaitForWindowActive(W));
        F->Open(F->Page(u"a.html"_s, u"a\n"_s));
        W->reSource->setFocus();
        QTest::keyClick(W->reSource, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(W->DocumentCount(), 1);
        F->Open(F->Page(u"b.html"_s, u"b\n"_s));
        W->reSource->setFocus();
        QTest::keyClick(W->reSource, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(W->DocumentCount(), 1);
        QCOMPARE(W->reSource->Text(), u"a\n"_s);
    }

    // At the window's smallest size every button of every toolbar is on the screen, none cut
    // off or hidden behind an overflow arrow.
    void everyButtonShowsAtSmallestSize() {
        F->Open(F->Page(u"a.html"_s, u"x\n"_s));
        W->showNormal();
        W->resize(W->minimumSize());
        QVERIFY(QTest::qWaitForWindowExposed(W));
        const QList<TWrapToolBar*> pages{W->tbrText, W->tbrFormsTables, W->tbrScripts,
                                         W->tbrObjects, W->tbrOther};
        for (TWrapToolBar* bar : {W->tbrMain, W->tbrLeft, W->tbrText, W->tbrFormsTables,
                                  W->tbrScripts, W->tbrObjects, W->tbrOther}) {
            if (pages.contains(bar))
                W->pcTagMenu->setCurrentIndex(int(pages.indexOf(bar)));
            QCoreApplication::processEvents();
            for (QAction* a : bar->actions()) {
                if (a->isSeparator())
                    continue;
                QWidget* shown = bar->widgetForAction(a);
                const QString what = bar->objectName() + u' ' + a->objectName() + a->toolTip();
                QVERIFY2(shown && shown->isVisible(), qPrintable(what));
                QCOMPARE(shown->visibleRegion().boundingRect(), shown->rect());
            }
        }
    }

    void buttonsAndKeysWrapAlike() {
        // Ctrl+B, the button on the "Текст" page and the one on the left toolbar are one command.
        F->Open(F->Page(u"a.html"_s, u"x\n"_s));
        for (TWrapToolBar* bar : {W->tbrText, W->tbrLeft}) {
            W->reSource->Select(0, 1);
            bar->widgetForAction(W->acBold)->setFocus();
            QTest::mouseClick(bar->widgetForAction(W->acBold), Qt::LeftButton);
            QCOMPARE(W->reSource->Text().left(8), u"<b>x</b>"_s);
            W->reSource->undo();
        }
    }

    // Every toolbar, menu, popup and panel holds exactly these commands: a command lost from a
    // toolbar, or put on a second one, fails here. acInternalPreview (F12) and acLinkValidate
    // are on none.
    void placements_data() {
        QTest::addColumn<QString>("commands");
        const auto Row = [](const char* box, const char* commands) {
            QTest::newRow(box) << QString::fromLatin1(commands);
        };
        Row("tbrMain",
            "acDefaultPage acOpen acSaveAll acSave acUndo acCut acCopy acPaste acOptions "
            "acNavigator acWordWrap acOpenProject");
        Row("tbrText", "acBold acItalics acUnderline acBr acPreformatted acParagraph acFont "
                       "acCenter acStyle acUl acLi acAnchor acImage acHr acDiv");
        Row("tbrFormsTables", "acTable acTr acTd acCaption acForm acSelect");
        Row("tbrScripts", "acApplet acNoscript");
        Row("tbrObjects", "acObject acParam acEmbed acNoembed acShockWaveFlash");
        Row("tbrOther", "acMap acArea acComment acFrameset acFrame acNoframes");
        Row("tbrLeft", "acInsertColor acEditTag acBold acItalics acUnderline acFont acTable "
                       "acAnchor acImage acHr acForm acFrameset");
        Row("miFile", "acDefaultPage acOpen acSaveAll acSaveAs acSave acPrnSetup acPrint "
                      "acPreview acQuit");
        Row("miEdit", "acUndo acCut acCopy acPaste acSelectAll acOptions acEditTag");
        Row("miInsert", "acOpeningBrackets acClosingBrackets");
        Row("miView", "acNavigator acWordWrap acFoundFiles");
        Row("miHelpM", "acHelp acAbout");
        Row("pmSrc", "acCut acCopy acPaste acSelectAll acOptions acClosePage");
        Row("pmSiteDir", "acMoveFile acCopyFile");
        Row("pmSite", "acNewProject acEditProject");
        Row("pnlFindButtons", "acFind acReplace");
        Row("pnlUpdateBtn", "acUpdatePage");
    }

    void placements() {
        QFETCH(QString, commands);
        QWidget* box = W->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(box);
        QStringList expected = commands.split(u' ');
        expected.sort();
        QCOMPARE(Held(box), expected);
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
