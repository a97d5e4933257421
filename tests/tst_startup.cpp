// The program's start and end: the settings file carried between runs, the View switches, the
// command-line page, the Projects folder, the splash and the about window.
#include "app/RichEditEx.h"
#include "app/about.h"
#include "app/apphome.h"
#include "app/inifile.h"
#include "app/main2.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/textfile.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Window = std::unique_ptr<TfrmMain>;

Window Start(const QStringList& args = {}) {
    return std::make_unique<TfrmMain>(args);
}

// What the settings file holds, key by key (the raw text, not the parsed values).
QString IniValue(const QString& section, const QString& key) {
    return TIniFile(SettingsFilePath()).ReadString(section, key, u"<missing>"_s);
}

QString WritePage(const QTemporaryDir& dir, const QString& name, const QString& text) {
    const QString path = dir.filePath(name);
    testutil::WriteBytes(path, ToFileBytes(text));
    return path;
}

// Notes whether the about window stood on the screen while the main window was being built,
// and whether any about window is left afterwards.
class TSplashWatcher : public QObject {
public:
    bool SplashSeenDuringCreation = false;
    int AboutWindowsAlive = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* about = qobject_cast<TfrmAbout*>(watched);
            about && event->type() == QEvent::Show && !FWatched.contains(about)) {
            FWatched << about;
            ++AboutWindowsAlive;
            connect(about, &QObject::destroyed, this, [this] { --AboutWindowsAlive; });
        }
        if (watched->objectName() == u"frmMain"_s && event->type() == QEvent::ChildAdded)
            for (TfrmAbout* about : std::as_const(FWatched))
                if (about && about->isVisible())
                    SplashSeenDuringCreation = true;
        return false;
    }

private:
    QList<QPointer<TfrmAbout>> FWatched;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstRunUsesDefaultsAndWritesAllSevenKeys() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        Window w = Start();
        const QString home0 = DefaultFolder();
        QCOMPARE(w->OpenDialogDir, home0);
        QCOMPARE(w->SaveDialogDir, home0);
        QCOMPARE(w->PicsDialogDir, home0);
        QCOMPARE(w->reSource->font().family(), u"Courier New"_s);
        QCOMPARE(w->reSource->font().pointSize(), 10);
        QVERIFY(w->acWordWrap->isChecked());
        QCOMPARE(w->reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(w->acNavigator->isChecked());
        QVERIFY(w->pcNavigator->isVisibleTo(w.get()));
        QVERIFY(!QFileInfo::exists(SettingsFilePath())); // written at the end only

        QVERIFY(w->close());
        const QByteArray h = testutil::Cp1251(home0);
        QCOMPARE(testutil::ReadBytes(SettingsFilePath()),
                 "[Shell]\r\nOpenFrom=" + h + "\r\nSaveTo=" + h + "\r\nPicsIn=" + h +
                     "\r\n[Editor]\r\nFontName=Courier New\r\nFontSize=10\r\n"
                     "[Interface]\r\nNavVisible=1\r\nIsWordWrap=1\r\n");
        QVERIFY(platform.Calls.isEmpty());
    }

    void settingsFileIsAppliedAndKeptAsItWas() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        // Comments and unknown keys of a hand-edited file survive the write at the end.
        const QByteArray ini = "; hand-edited\r\n[Shell]\r\nOpenFrom=/srv/\xD1\xE0\xE9\xF2\r\n"
                               "SaveTo=/srv/save\r\nPicsIn=/srv/pics\r\nColour=blue\r\n"
                               "[Editor]\r\nFontName=DejaVu Sans Mono\r\nFontSize=14\r\n"
                               "[Interface]\r\nIsWordWrap=0\r\nNavVisible=0\r\n";
        testutil::WriteBytes(SettingsFilePath(), ini);
        Window w = Start();
        QCOMPARE(w->OpenDialogDir, u"/srv/Сайт"_s);
        QCOMPARE(w->SaveDialogDir, u"/srv/save"_s);
        QCOMPARE(w->PicsDialogDir, u"/srv/pics"_s);
        QCOMPARE(w->reSource->font().family(), u"DejaVu Sans Mono"_s);
        QCOMPARE(w->reSource->font().pointSize(), 14);
        QVERIFY(!w->acWordWrap->isChecked());
        QCOMPARE(w->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!w->acNavigator->isChecked());
        QVERIFY(!w->pcNavigator->isVisibleTo(w.get()));
        QVERIFY(w->close());
        QCOMPARE(testutil::ReadBytes(SettingsFilePath()), ini);
    }

    void projectsFolder_data() {
        QTest::addColumn<QString>("before"); // what lies at "Projects" before the start
        QTest::addColumn<bool>("isFolderAfter");
        QTest::newRow("missing") << u"nothing"_s << true;
        QTest::newRow("existing folder with a project") << u"folder"_s << true;
        QTest::newRow("a file in the way") << u"file"_s << false;
    }

    void projectsFolder() {
        QFETCH(QString, before);
        QFETCH(bool, isFolderAfter);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        const QString projects = home.File(u"Projects"_s);
        if (before == u"folder"_s) {
            QVERIFY(QDir().mkpath(projects));
            testutil::WriteBytes(projects + u"/Site.qsf"_s, "[General]\r\nTitle=Site\r\n");
        } else if (before == u"file"_s) {
            testutil::WriteBytes(projects, "not a folder");
        }
        Window w = Start();
        QCOMPARE(QFileInfo(projects).isDir(), isFolderAfter);
        if (before == u"folder"_s)
            QVERIFY(QFileInfo::exists(projects + u"/Site.qsf"_s));
        if (before == u"file"_s)
            QCOMPARE(testutil::ReadBytes(projects), "not a folder"_ba);
        QVERIFY(platform.Calls.isEmpty()); // accepted silently either way
        QVERIFY(w->acOpen->isEnabled());   // and the start went on
    }

    void wordWrapToggleKeepsSelectionAndPersists() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString page = WritePage(dir, u"page.html"_s,
                                       u"<p>Первая строка довольно длинного текста</p>\n"_s
                                       u"<p>Вторая</p>\n"_s);
        {
            Window w = Start({page});
            w->show();
            QCOMPARE(w->DocumentCount(), 1);
            w->reSource->Select(3, 12);
            w->acWordWrap->trigger();
            QVERIFY(!w->acWordWrap->isChecked());
            QCOMPARE(w->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
            QCOMPARE(w->reSource->SelStart(), 3);
            QCOMPARE(w->reSource->SelLength(), 12);
            QCOMPARE(w->reSource->SelText(), u"Первая строк"_s);
            w->acWordWrap->trigger();
            QVERIFY(w->acWordWrap->isChecked());
            QCOMPARE(w->reSource->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QCOMPARE(w->reSource->SelText(), u"Первая строк"_s);
            w->acWordWrap->trigger();
            QVERIFY(w->close());
        }
        QCOMPARE(IniValue(u"Interface"_s, u"IsWordWrap"_s), u"0"_s);
        QCOMPARE(IniValue(u"Interface"_s, u"NavVisible"_s), u"1"_s);
        Window again = Start();
        QVERIFY(!again->acWordWrap->isChecked());
        QCOMPARE(again->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(again->acNavigator->isChecked());
        QVERIFY(platform.Unanswered.isEmpty());
    }

    void hiddenNavigatorPersists() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        {
            Window w = Start();
            w->show();
            QVERIFY(w->pcNavigator->isVisible());
            w->acNavigator->trigger();
            QVERIFY(!w->acNavigator->isChecked());
            QVERIFY(!w->pcNavigator->isVisible());
            QVERIFY(w->close());
        }
        QCOMPARE(IniValue(u"Interface"_s, u"NavVisible"_s), u"0"_s);
        Window again = Start();
        again->show();
        QVERIFY(!again->acNavigator->isChecked());
        QVERIFY(!again->pcNavigator->isVisible());
        again->acNavigator->trigger();
        QVERIFY(again->acNavigator->isChecked());
        QVERIFY(again->pcNavigator->isVisible());
    }

    void commandLineArgument_data() {
        QTest::addColumn<QString>("argument"); // "<dir>" stands for the temporary folder
        QTest::addColumn<bool>("opens");
        QTest::newRow("existing page") << u"<dir>/page.html"_s << true;
        QTest::newRow("missing page") << u"<dir>/gone.html"_s << false;
        QTest::newRow("file of another kind") << u"<dir>/notes.txt"_s << false;
        QTest::newRow("folder named like a page") << u"<dir>/folder.html"_s << false;
        QTest::newRow("empty argument") << QString() << false;
    }

    void commandLineArgument() {
        QFETCH(QString, argument);
        QFETCH(bool, opens);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        for (const QString& name : {u"page.html"_s, u"notes.txt"_s})
            WritePage(dir, name, u"<p>текст</p>\n"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"folder.html"_s));
        argument.replace(u"<dir>"_s, dir.path());

        Window w = Start({argument});
        w->show();
        QCoreApplication::processEvents();
        if (opens) {
            QCOMPARE(w->DocumentCount(), 1);
            QCOMPARE(w->FileNames.value(0), argument);
            QCOMPARE(w->tcEditor->currentIndex(), 0);
            QCOMPARE(w->reSource->Text(), u"<p>текст</p>\n"_s);
        } else {
            QCOMPARE(w->DocumentCount(), 0);
            QVERIFY(w->reSource->isReadOnly());
        }
        QVERIFY2(platform.Calls.isEmpty(), qPrintable(platform.Messages().join(u'\n')));
    }

    // A font size that is not a whole number must not stop the start half-way.
    void badFontSizeIsReportedOnceAndStartFinishes_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("letters") << "large"_ba;
        QTest::newRow("fraction") << "12.5"_ba;
        QTest::newRow("absurdly large") << "99999999999"_ba;
    }

    void badFontSizeIsReportedOnceAndStartFinishes() {
        QFETCH(QByteArray, value);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString page = WritePage(dir, u"page.html"_s, u"<p>x</p>\n"_s);
        testutil::WriteBytes(SettingsFilePath(), "[Shell]\r\nOpenFrom=/srv/open\r\n"
                                                 "[Editor]\r\nFontName=DejaVu Sans Mono\r\n"
                                                 "FontSize=" +
                                                     value + "\r\n[Interface]\r\nNavVisible=0\r\n");
        Window w = Start({page});
        // Everything after the bad value still happened.
        QCOMPARE(w->reSource->font().pointSize(), 10);
        QCOMPARE(w->reSource->font().family(), u"DejaVu Sans Mono"_s);
        QCOMPARE(w->OpenDialogDir, u"/srv/open"_s);
        QCOMPARE(w->DocumentCount(), 1);
        QVERIFY(!w->acNavigator->isChecked());
        QVERIFY(w->acWordWrap->isChecked());
        // Not while the splash stands in front; once the window shows.
        QVERIFY(platform.Calls.isEmpty());
        w->show();
        QTRY_COMPARE(platform.Messages().size(), 1);
        QCOMPARE(platform.Calls[0].MsgKind, TMsgKind::Warning);
        QVERIFY2(platform.Messages()[0].contains(u"FontSize"_s),
                 qPrintable(platform.Messages()[0]));
        if (!value.isEmpty())
            QVERIFY(platform.Messages()[0].contains(QString::fromLatin1(value.left(8))));
        w->hide();
        w->show();
        QTest::qWait(20);
        QCOMPARE(platform.Messages().size(), 1);

        QVERIFY(w->close());
        QCOMPARE(IniValue(u"Editor"_s, u"FontSize"_s), u"10"_s);
    }

    // The settings cannot be written: the user hears of it and the window closes all the same.
    void unwritableSettingsAreReportedAndWindowCloses_data() {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("settings file is a folder") << u"folder"_s;
        QTest::newRow("program folder is gone") << u"gone"_s;
    }

    void unwritableSettingsAreReportedAndWindowCloses() {
        QFETCH(QString, obstacle);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString page = WritePage(dir, u"page.html"_s, u"<p>x</p>\n"_s);
        if (obstacle == u"folder"_s)
            QVERIFY(QDir().mkpath(SettingsFilePath()));
        Window w = Start({page});
        w->show();
        QCoreApplication::processEvents();
        QVERIFY(platform.Calls.isEmpty()); // a folder in place of the file reads as defaults
        if (obstacle == u"gone"_s) {
            QVERIFY(QDir(home.Path()).removeRecursively());
            testutil::WriteBytes(home.Path(), "a file where the folder was");
        }

        QVERIFY(w->close());
        QVERIFY(!w->isVisible());
        QCOMPARE(platform.Messages().size(), 1);
        QCOMPARE(platform.Calls[0].MsgKind, TMsgKind::Error);
        QVERIFY2(platform.Messages()[0].startsWith(u"Настройки не сохранены.\n"_s),
                 qPrintable(platform.Messages()[0]));
        QVERIFY(platform.Messages()[0].contains(QDir::toNativeSeparators(w->SettingsFileName)));
        if (obstacle == u"gone"_s) {
            QFile::remove(home.Path());
            QDir().mkpath(home.Path());
        }
    }

    void cancelledCloseWritesNothing() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString page = WritePage(dir, u"page.html"_s, u"<p>x</p>\n"_s);
        Window w = Start({page});
        w->show();
        w->acWordWrap->trigger();
        w->reSource->setFocus();
        QTest::keyClicks(w->reSource, u"abc"_s);
        QCOMPARE(w->ModifiedFlags, QStringList{u"1"_s});
        platform.QueueAnswer(TAnswer::Cancel);
        QVERIFY(!w->close());
        QVERIFY(!QFileInfo::exists(SettingsFilePath()));
        platform.QueueAnswer(TAnswer::No);
        QVERIFY(w->close());
        QCOMPARE(IniValue(u"Interface"_s, u"IsWordWrap"_s), u"0"_s);
    }

    void leftPaneTabsShareItsWidth_data() {
        QTest::addColumn<int>("paneWidth");
        QTest::newRow("narrow") << 160;
        QTest::newRow("wide") << 420;
    }

    void leftPaneTabsShareItsWidth() {
        QFETCH(int, paneWidth);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        Window w = Start();
        w->resize(1100, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->splVertical->setSizes({paneWidth, 1100 - paneWidth});
        QTRY_COMPARE(w->pcNavigator->width(), paneWidth);
        QCoreApplication::processEvents();
        const QTabBar* tabs = w->pcNavigator->tabBar();
        const int expected = (paneWidth - 4) / 2;
        QCOMPARE(tabs->tabRect(0).width(), tabs->tabRect(1).width());
        QVERIFY2(qAbs(tabs->tabRect(0).width() - expected) <= 2,
                 qPrintable(u"%1 vs %2"_s.arg(tabs->tabRect(0).width()).arg(expected)));
    }

    void aboutWindowFromTheHelpMenu_data() {
        QTest::addColumn<QString>("clickOn"); // any click closes it
        QTest::newRow("picture") << u"imgLogo"_s;
        QTest::newRow("version") << u"lblVersion"_s;
        QTest::newRow("makers") << u"lblMakers2"_s;
    }

    void aboutWindowFromTheHelpMenu() {
        QFETCH(QString, clickOn);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        Window w = Start();
        bool checked = false;
        platform.QueueDialog([&](QDialog* d) {
            auto* about = qobject_cast<TfrmAbout*>(d);
            [&] {
                QVERIFY(about);
                QCOMPARE(about->Tag, 1);
                QCOMPARE(about->size(), QSize(500, 200));
                QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
                QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
                QCOMPARE(about->lblVersion->text(), u"версия 1.2"_s);
                QVERIFY(!about->lblMakers1->text().isEmpty());
                QVERIFY(!about->lblMakers2->text().isEmpty());
                // The picture came through the JPEG reader, and it is not a blank.
                const QImage picture = about->Picture();
                QCOMPARE(picture.size(), QSize(500, 200));
                QVERIFY(picture.pixelColor(5, 5) != picture.pixelColor(100, 60));
                QVERIFY(!about->imgLogo->pixmap().isNull());
                about->show();
                QVERIFY(QTest::qWaitForWindowExposed(about));
                auto* target = about->findChild<QWidget*>(clickOn);
                QVERIFY(target);
                QTest::mouseClick(about, Qt::LeftButton, {}, target->geometry().center());
                QVERIFY(about->isHidden());
                checked = true;
            }();
            return d->result();
        });
        w->acAbout->trigger();
        QVERIFY(checked);
        QCOMPARE(platform.Calls.size(), 1);
        QCOMPARE(platform.Calls[0].Text, u"TfrmAbout"_s);
        QVERIFY(platform.Unanswered.isEmpty());
    }

    void splashStandsWhileMainWindowIsMadeAndIsGoneAfter() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        TSplashWatcher watcher;
        qApp->installEventFilter(&watcher);
        std::unique_ptr<TfrmMain> w = CreateMainWindow({});
        qApp->removeEventFilter(&watcher);
        QVERIFY(w);
        QVERIFY(watcher.SplashSeenDuringCreation);
        QCOMPARE(watcher.AboutWindowsAlive, 0);
        QVERIFY(platform.Calls.isEmpty());
    }

    // Last: it changes the application's texts for the rest of the run.
    void qtTextsAreRussian() {
        QVERIFY(InitApplication(*qApp));
        QCOMPARE(QCoreApplication::applicationName(), u"Quorvane"_s);
        QCOMPARE(qApp->property("HelpFile").toString(), u"Quorvane.hlp"_s);
        QMessageBox box(QMessageBox::Question, u"Quorvane"_s, u"?"_s,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), u"Да"_s);
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), u"Нет"_s);
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), u"Отмена"_s);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
