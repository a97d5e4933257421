// The command table of the main window: shortcuts reach their commands from the editor, no
// two commands fight over a key, and the enabled states follow the document set.
#include "app/actiontable.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestCommandTable : public QObject {
    Q_OBJECT

private slots:
    void everyRowIsAnAction() {
        TWindowFixture f;
        QSet<QString> names;
        for (const TActionRow& row : ActionTable()) {
            const QString name = QString::fromLatin1(row.Name);
            QVERIFY2(!names.contains(name), qPrintable(name));
            names.insert(name);
            QAction* a = f.W->ActionByName(name);
            QVERIFY2(a && a == (*f.W).*(row.Member), qPrintable(name));
            // An action that shows only its icon still tells what it does.
            QVERIFY2(!a->toolTip().isEmpty(), qPrintable(name));
        }
        QCOMPARE(f.W->Actions().size(), qsizetype(names.size()));
    }

    void shortcutsAreUnique() {
        // Qt triggers neither of two actions that share a key, so a clash silently kills both.
        TWindowFixture f;
        QHash<QKeySequence, QString> seen;
        for (QAction* a : f.W->Actions()) {
            if (a->shortcut().isEmpty())
                continue;
            QVERIFY2(!seen.contains(a->shortcut()),
                     qPrintable(a->objectName() + u" and "_s + seen.value(a->shortcut())));
            seen.insert(a->shortcut(), a->objectName());
        }
        QCOMPARE(f.W->acBr->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
        QCOMPARE(f.W->acOpeningBrackets->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
        QCOMPARE(f.W->acClosePage->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
    }

    void ctrlF4ClosesOnlyWhileSeveralAreOpen() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        f.Open(f.Page(u"a.html"_s, u"a\n"_s));
        w.reSource->setFocus();
        QTest::keyClick(w.reSource, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(w.DocumentCount(), 1);
        f.Open(f.Page(u"b.html"_s, u"b\n"_s));
        w.reSource->setFocus();
        QTest::keyClick(w.reSource, Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(w.DocumentCount(), 1);
        QCOMPARE(w.reSource->Text(), u"a\n"_s);
    }

    void buttonsAndKeysWrapAlike() {
        // Ctrl+B, the button on the "Текст" page and the one on the left toolbar are one command.
        TWindowFixture f;
        TfrmMain& w = *f.W;
        f.Open(f.Page(u"a.html"_s, u"x\n"_s));
        QVERIFY(w.tbrText->actions().contains(w.acBold));
        QVERIFY(w.tbrLeft->actions().contains(w.acBold));
        for (QToolBar* bar : {w.tbrText, w.tbrLeft}) {
            w.reSource->Select(0, 1);
            bar->widgetForAction(w.acBold)->setFocus();
            QTest::mouseClick(bar->widgetForAction(w.acBold), Qt::LeftButton);
            QCOMPARE(w.reSource->Text().left(8), u"<b>x</b>"_s);
            w.reSource->undo();
        }
    }

    void popupMenusCarryTheirCommands() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        QCOMPARE(w.pmSrc->actions().size(), 8); // with its two separators
        QVERIFY(w.pmSrc->actions().contains(w.acClosePage));
        QVERIFY(w.pmSiteDir->actions().contains(w.acCopyFile));
        QCOMPARE(w.acMoveFile->data().toInt(), -1000);
        QCOMPARE(w.acCopyFile->data().toInt(), 1000);
        QVERIFY(w.pmSite->actions().contains(w.acEditProject));
        QCOMPARE(w.pmSite->actions().last()->text(), u"Новый проект"_s);
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
