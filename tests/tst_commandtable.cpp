// The command table of the main window: shortcuts reach their commands from the editor, no
// two commands fight over a key, and the enabled states follow the document set.
#include "app/actiontable.h"
#include "support/windowfixture.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
// Every place a command can be shown.
const char* const kContainers[] = {
    "tbrMain", "tbrText",   "tbrFormsTables", "tbrScripts",     "tbrObjects",  "tbrOther",
    "tbrLeft", "miFile",    "miEdit",         "miInsert",       "miView",      "miHelpM",
    "pmSrc",   "pmSiteDir", "pmSite",         "pnlFindButtons", "pnlUpdateBtn"};
} // namespace

class TestCommandTable : public QObject {
    Q_OBJECT

    std::unique_ptr<TWindowFixture> F;
    TfrmMain* W = nullptr;

    // Whether a click on a named button that is bound to no command of its own (the project
    // button) runs the command. Dialogs the command opens are cancelled.
    static bool ClickRuns(TWindowFixture& f, QToolButton* button, QAction* command) {
        if (button->defaultAction() || !button->objectName().startsWith(u"tb"_s) ||
            !button->isEnabled() || !command->isEnabled())
            return false;
        bool ran = false;
        const auto c = QObject::connect(command, &QAction::triggered, [&ran] { ran = true; });
        for (int i = 0; i < 4; ++i)
            f.Platform.QueueDialog([](QDialog*) { return int(QDialog::Rejected); });
        button->click();
        QObject::disconnect(c);
        f.Platform.Clear();
        return ran;
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
            // An action that shows only its icon still tells what it does.
            QVERIFY2(!a->toolTip().isEmpty(), qPrintable(name));
        }
        QCOMPARE(W->Actions().size(), qsizetype(names.size()));
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
        QVERIFY(W->tbrText->actions().contains(W->acBold));
        QVERIFY(W->tbrLeft->actions().contains(W->acBold));
        for (TWrapToolBar* bar : {W->tbrText, W->tbrLeft}) {
            W->reSource->Select(0, 1);
            bar->widgetForAction(W->acBold)->setFocus();
            QTest::mouseClick(bar->widgetForAction(W->acBold), Qt::LeftButton);
            QCOMPARE(W->reSource->Text().left(8), u"<b>x</b>"_s);
            W->reSource->undo();
        }
    }

    // Every command sits on exactly the toolbars, menus, popups and panels the command table
    // names, with its caption, hint and key: a command lost from a toolbar, or put on a second
    // one, fails here.
    void placementsFollowTheTable_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("placedOn");
        const auto Row = [](const char* name, const QString& caption, const QString& hint,
                            const char* keys, const char* placedOn) {
            QTest::newRow(name) << caption << hint << QString::fromLatin1(keys)
                                << QString::fromLatin1(placedOn).split(u' ', Qt::SkipEmptyParts);
        };
        Row("acDefaultPage", u"&Новый"_s, u"Новый документ"_s, "Ctrl+N", "tbrMain miFile");
        Row("acOpen", u"&Открыть"_s, u"Открыть файл"_s, "Ctrl+O", "tbrMain miFile");
        Row("acSaveAll", u"Сохранить &все"_s, u"Сохранить все"_s, "", "tbrMain miFile");
        Row("acSaveAs", u"Сохранить как..."_s, u"Сохранить файл как..."_s, "", "miFile");
        Row("acSave", u"&Сохранить"_s, u"Сохранить файл"_s, "Ctrl+S", "tbrMain miFile");
        Row("acPrnSetup", u"Настройка принтера"_s, u"Настройка принтера"_s, "", "miFile");
        Row("acPrint", u"П&ечать"_s, u"Печать"_s, "Ctrl+P", "miFile");
        Row("acPreview", u"Тестирование в браузере"_s, u""_s, "F9", "miFile");
        Row("acQuit", u"Выход"_s, u""_s, "F10", "miFile");
        Row("acMoveFile", u"Переместить в..."_s, u""_s, "", "pmSiteDir");
        Row("acCopyFile", u"Копировать в..."_s, u""_s, "", "pmSiteDir");
        Row("acInternalPreview", u"Переключение код/просмотр"_s, u""_s, "F12", "");
        Row("acUndo", u"Отменить"_s, u"Отменить"_s, "Ctrl+Z", "tbrMain miEdit");
        Row("acCut", u"Вырезать"_s, u"Вырезать в буфер"_s, "Ctrl+X", "tbrMain miEdit pmSrc");
        Row("acCopy", u"Копировать"_s, u"Копировать в буфер"_s, "Ctrl+C", "tbrMain miEdit pmSrc");
        Row("acPaste", u"Вставить"_s, u"Вставить из буфера"_s, "Ctrl+V", "tbrMain miEdit pmSrc");
        Row("acSelectAll", u"Выделить все"_s, u"Выделить все"_s, "Ctrl+A", "miEdit pmSrc");
        Row("acFind", u"Найти"_s, u"Найти"_s, "", "pnlFindButtons");
        Row("acReplace", u"Заменить"_s, u"Поиск и замена"_s, "", "pnlFindButtons");
        Row("acOptions", u"Настройка"_s, u"Настройка"_s, "", "tbrMain miEdit pmSrc");
        Row("acInsertColor", u"Цвет..."_s, u"Добавить цвет..."_s, "", "tbrLeft");
        Row("acEditTag", u"Правка тега"_s, u"Правка тега"_s, "", "tbrLeft miEdit");
        Row("acLinkValidate", u"Проверить ссылки"_s, u"Проверить ссылки"_s, "", "");
        Row("acNavigator", u"Навигатор"_s, u"Навигатор"_s, "", "tbrMain miView");
        Row("acWordWrap", u"Перенос по словам"_s, u"Перенос по словам"_s, "", "tbrMain miView");
        Row("acFoundFiles", u"Результаты поиска"_s, u""_s, "", "miView");
        Row("acOpeningBrackets", u"Открывающие теговые скобки"_s, u""_s, "Ctrl+,", "miInsert");
        Row("acClosingBrackets", u"Закрывающие теговые скобки"_s, u""_s, "Ctrl+.", "miInsert");
        Row("acHelp", u"Справка"_s, u""_s, "F1", "miHelpM");
        Row("acAbout", u"О программе"_s, u""_s, "", "miHelpM");
        Row("acUpdatePage", u"Обновить"_s, u""_s, "", "pnlUpdateBtn");
        Row("acClosePage", u"Закрыть этот файл"_s, u""_s, "Ctrl+F4", "pmSrc");
        Row("acNewProject", u"Определить"_s, u""_s, "", "pmSite");
        Row("acOpenProject", u"Открыть"_s, u""_s, "", "tbrMain");
        Row("acEditProject", u"Свойства..."_s, u""_s, "", "pmSite");
        Row("acBold", u""_s, u"Выделить"_s, "Ctrl+B", "tbrText tbrLeft");
        Row("acItalics", u""_s, u"Курсив"_s, "Ctrl+I", "tbrText tbrLeft");
        Row("acUnderline", u""_s, u"Подчеркнуть"_s, "Ctrl+U", "tbrText tbrLeft");
        Row("acBr", u""_s, u"Разрыв строки"_s, "Ctrl+Return", "tbrText");
        Row("acPreformatted", u""_s, u"Не форматировать"_s, "", "tbrText");
        Row("acParagraph", u""_s, u"Абзац"_s, "", "tbrText");
        Row("acFont", u""_s, u"Шрифт"_s, "Ctrl+F", "tbrText tbrLeft");
        Row("acCenter", u""_s, u"Центрировать"_s, "", "tbrText");
        Row("acStyle", u""_s, u"Таблица стилей"_s, "", "tbrText");
        Row("acUl", u""_s, u"Список"_s, "Ctrl+L", "tbrText");
        Row("acLi", u""_s, u"Элемент списка"_s, "", "tbrText");
        Row("acTable", u""_s, u"Таблица"_s, "Ctrl+T", "tbrFormsTables tbrLeft");
        Row("acTr", u""_s, u"Строка таблицы"_s, "", "tbrFormsTables");
        Row("acTd", u""_s, u"Ячейка таблицы"_s, "", "tbrFormsTables");
        Row("acCaption", u""_s, u"Заголовок таблицы"_s, "", "tbrFormsTables");
        Row("acAnchor", u""_s, u"Гиперссылка"_s, "", "tbrText tbrLeft");
        Row("acImage", u""_s, u"Изображение"_s, "", "tbrText tbrLeft");
        Row("acMap", u""_s, u"Карта"_s, "Ctrl+M", "tbrOther");
        Row("acArea", u""_s, u"Активная облась карты"_s, "", "tbrOther");
        Row("acHr", u""_s, u"Горизонтальная линия"_s, "Ctrl+H", "tbrText tbrLeft");
        Row("acComment", u""_s, u"Комментарий"_s, "", "tbrOther");
        Row("acForm", u""_s, u"Web-форма"_s, "", "tbrFormsTables tbrLeft");
        Row("acSelect", u""_s, u"Выпадающий список"_s, "", "tbrFormsTables");
        Row("acObject", u""_s, u"Объект ActiveX"_s, "", "tbrObjects");
        Row("acParam", u""_s, u"Параметр"_s, "", "tbrObjects");
        Row("acEmbed", u""_s, u"Контейнер объекта"_s, "", "tbrObjects");
        Row("acNoembed", u""_s, u"Контейнеры не поддерживаются"_s, "", "tbrObjects");
        Row("acApplet", u""_s, u"Апплет"_s, "", "tbrScripts");
        Row("acNoscript", u""_s, u"Сценарии не поддерживаются"_s, "", "tbrScripts");
        Row("acDiv", u""_s, u"Div"_s, "Ctrl+D", "tbrText");
        Row("acShockWaveFlash", u""_s, u"ShockWave Flash"_s, "Ctrl+W", "tbrObjects");
        Row("acFrameset", u""_s, u"Набор фреймов"_s, "", "tbrOther tbrLeft");
        Row("acFrame", u""_s, u"Фрейм"_s, "", "tbrOther");
        Row("acNoframes", u""_s, u"Фреймы не поддерживаются"_s, "", "tbrOther");
    }

    void placementsFollowTheTable() {
        // Disabled while no document is open: the table's three, and what the workspace
        // disables until there is something to save, undo, cut or copy, or a project to edit.
        static const QStringList disabledAtStart{
            u"acPreview"_s,    u"acClosePage"_s, u"acInternalPreview"_s,
            u"acSaveAll"_s,    u"acSave"_s,      u"acSaveAs"_s,
            u"acUpdatePage"_s, u"acUndo"_s,      u"acEditProject"_s,
            u"acCut"_s,        u"acCopy"_s};
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QString, keys);
        QFETCH(QStringList, placedOn);
        QAction* a = W->ActionByName(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(a);
        QCOMPARE(a->isEnabled(), !disabledAtStart.contains(a->objectName()));
        if (!caption.isEmpty())
            QCOMPARE(a->text(), caption);
        if (!hint.isEmpty())
            QCOMPARE(a->toolTip(), hint);
        QCOMPARE(a->shortcut(), QKeySequence(keys, QKeySequence::PortableText));
        // A menu item may stand in for the command under a caption of its own ("Новый проект"):
        // it is named after the command.
        const QString standIn = u"mi"_s + a->objectName().mid(2);
        QStringList found;
        for (const char* name : kContainers) {
            QWidget* box = W->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(box, name);
            bool holds = false;
            for (QAction* item : box->actions())
                holds = holds || item == a || item->objectName() == standIn;
            for (QToolButton* b : box->findChildren<QToolButton*>())
                holds = holds || b->defaultAction() == a || ClickRuns(*F, b, a);
            if (holds)
                found << QString::fromLatin1(name);
        }
        found.sort();
        placedOn.sort();
        QCOMPARE(found, placedOn);
    }
};

QTEST_MAIN(TestCommandTable)
#include "tst_commandtable.moc"
