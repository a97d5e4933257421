// The program's start and end: the settings file, the View switches, the command line, the
// Projects folder, the splash and the about window.
#include "app/RichEditEx.h"
#include "app/about.h"
#include "app/apphome.h"
#include "app/main2.h"
#include "app/startup.h"
#include "app/textfile.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Window = std::unique_ptr<TfrmMain>;

Window Start(const QStringList& args = {}) {
    return std::make_unique<TfrmMain>(args);
}

QList<TfrmAbout*> AboutWindows() {
    QList<TfrmAbout*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* about = qobject_cast<TfrmAbout*>(w))
            out << about;
    return out;
}

// Notes whether an about window stood on the screen while the main window was being built, and
// when the main window was shown.
class TSplashWatcher : public QObject {
public:
    bool SplashSeen = false;
    bool SplashAtShow = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool show = event->type() == QEvent::Show;
        if (watched->objectName() == u"frmMain"_s && (show || event->type() == QEvent::ChildAdded))
            for (TfrmAbout* about : AboutWindows())
                (show ? SplashAtShow : SplashSeen) |= about->isVisible();
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    std::optional<testutil::TIsolatedHome> Home;
    std::optional<TScriptedPlatform> Platform;
    std::optional<QTemporaryDir> Dir;

    QString WritePage(const QString& name, const QString& text = u"<p>текст</p>\n"_s) {
        const QString path = Dir->filePath(name);
        testutil::WriteBytes(path, ToFileBytes(text));
        return path;
    }

private slots:
    void init() { Home.emplace(), Platform.emplace(), Dir.emplace(); }
    void cleanup() { Dir.reset(), Platform.reset(), Home.reset(); }

    // The file is written from the window's state, so its bytes pin the defaults the start applied.
    void firstRunUsesDefaultsAndWritesAllSevenKeys() {
        Window w = Start();
        QVERIFY(w->pcNavigator->isVisibleTo(w.get()));
        QVERIFY(!QFileInfo::exists(SettingsFilePath())); // written at the end only
        QVERIFY(w->close());
        const QByteArray h = testutil::Cp1251(DefaultFolder());
        QCOMPARE(testutil::ReadBytes(SettingsFilePath()),
                 "[Shell]\r\nOpenFrom=" + h + "\r\nSaveTo=" + h + "\r\nPicsIn=" + h +
                     "\r\n[Editor]\r\nFontName=Courier New\r\nFontSize=10\r\n"
                     "[Interface]\r\nNavVisible=1\r\nIsWordWrap=1\r\n");
        QVERIFY(Platform->Calls.isEmpty());
    }

    // Whatever lies at "Projects", the start goes on silently and leaves an existing one alone.
    void projectsFolder_data() {
        QTest::addColumn<QString>("before");
        QTest::newRow("missing") << u"nothing"_s;
        QTest::newRow("existing folder with a project") << u"folder"_s;
        QTest::newRow("a file in the way") << u"file"_s;
    }

    void projectsFolder() {
        QFETCH(QString, before);
        const QString projects = Home->File(u"Projects"_s);
        if (before == u"folder"_s) {
            QVERIFY(QDir().mkpath(projects));
            testutil::WriteBytes(projects + u"/Site.qsf"_s, "[General]\r\nTitle=Site\r\n");
        } else if (before == u"file"_s) {
            testutil::WriteBytes(projects, "not a folder");
        }
        Window w = Start();
        QCOMPARE(QFileInfo(projects).isDir(), before != u"file"_s);
        if (before == u"folder"_s)
            QVERIFY(QFileInfo::exists(projects + u"/Site.qsf"_s));
        if (before == u"file"_s)
            QCOMPARE(testutil::ReadBytes(projects), "not a folder"_ba);
        QVERIFY(Platform->Calls.isEmpty());
    }

    // Word wrap turned off keeps the selection; both switches off reach the file at the end (not
    // at a cancelled close), which the restart reads back.
    void viewSwitchesPersist() {
        const QString page =
            WritePage(u"page.html"_s, u"<p>Первая строка довольно длинного текста</p>\n"_s);
        {
            Window w = Start({page});
            w->show();
            w->reSource->Select(3, 12);
            w->acWordWrap->trigger();
            QVERIFY(!w->acWordWrap->isChecked());
            QCOMPARE(w->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
            QCOMPARE(w->reSource->SelStart(), 3);
            QCOMPARE(w->reSource->SelText(), u"Первая строк"_s);
            w->acNavigator->trigger();
            QVERIFY(!w->acNavigator->isChecked() && !w->pcNavigator->isVisible());
            // A close cancelled at the save question writes nothing.
            QTest::keyClicks(w->reSource, u"abc"_s);
            Platform->QueueAnswer(TAnswer::Cancel);
            QVERIFY(!w->close());
            QVERIFY(!QFileInfo::exists(SettingsFilePath()));
            Platform->QueueAnswer(TAnswer::No);
            QVERIFY(w->close());
        }
        Window again = Start();
        again->show();
        QVERIFY(!again->acWordWrap->isChecked());
        QCOMPARE(again->reSource->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!again->acNavigator->isChecked() && !again->pcNavigator->isVisible());
    }

    // Only an existing page opens; anything else opens nothing, and without a message.
    void commandLineArgument_data() {
        QTest::addColumn<QString>("argument"); // "<dir>" stands for the temporary folder
        QTest::newRow("existing page") << u"<dir>/page.html"_s;
        QTest::newRow("missing page") << u"<dir>/gone.html"_s;
        QTest::newRow("file of another kind") << u"<dir>/notes.txt"_s;
        QTest::newRow("folder named like a page") << u"<dir>/folder.html"_s;
        QTest::newRow("empty argument") << QString();
    }

    void commandLineArgument() {
        QFETCH(QString, argument);
        WritePage(u"page.html"_s);
        WritePage(u"notes.txt"_s);
        QVERIFY(QDir(Dir->path()).mkdir(u"folder.html"_s));
        argument.replace(u"<dir>"_s, Dir->path());
        const bool opens = argument.endsWith(u"/page.html"_s);

        Window w = Start({argument});
        w->show();
        QCoreApplication::processEvents();
        QCOMPARE(w->FileNames(), opens ? QStringList{argument} : QStringList());
        QVERIFY2(Platform->Calls.isEmpty(), qPrintable(Platform->Messages().join(u'\n')));
    }

    // A font size that is not a whole number must not stop the start half-way; it is reported
    // once, when the window shows, not while the splash stands in front.
    void badFontSizeIsReportedOnceAndStartFinishes() {
        const QString page = WritePage(u"page.html"_s);
        testutil::WriteBytes(SettingsFilePath(), "[Editor]\r\nFontSize=12.5\r\n");
        Window w = Start({page});
        QCOMPARE(w->reSource->font().pointSize(), 10);
        QCOMPARE(w->DocumentCount(), 1);
        QVERIFY(Platform->Calls.isEmpty());
        w->show();
        QTRY_COMPARE(Platform->Messages().size(), 1);
        QCOMPARE(Platform->Calls[0].MsgKind, TMsgKind::Warning);
        QVERIFY2(Platform->Messages()[0].contains(u"12.5"_s), qPrintable(Platform->Messages()[0]));
        w->hide();
        w->show();
        QTest::qWait(20);
        QCOMPARE(Platform->Messages().size(), 1);
    }

    // The settings cannot be written: the user hears of it and the window closes all the same.
    void unwritableSettingsAreReportedAndWindowCloses_data() {
        QTest::addColumn<bool>("folderGone"); // else the settings file is a folder
        QTest::newRow("settings file is a folder") << false;
        QTest::newRow("program folder is gone") << true;
    }

    void unwritableSettingsAreReportedAndWindowCloses() {
        QFETCH(bool, folderGone);
        const QString page = WritePage(u"page.html"_s);
        if (!folderGone)
            QVERIFY(QDir().mkpath(SettingsFilePath()));
        Window w = Start({page});
        w->show();
        QCoreApplication::processEvents();
        QVERIFY(Platform->Calls.isEmpty()); // a folder in place of the file reads as defaults
        if (folderGone) {
            QVERIFY(QDir(Home->Path()).removeRecursively());
            testutil::WriteBytes(Home->Path(), "a file where the folder was");
        }
        QVERIFY(w->close());
        QCOMPARE(Platform->Messages().size(), 1);
        QCOMPARE(Platform->Calls[0].MsgKind, TMsgKind::Error);
        QVERIFY2(Platform->Messages()[0].startsWith(u"Настройки не сохранены.\n"_s) &&
                     Platform->Messages()[0].contains(
                         QDir::toNativeSeparators(w->Startup->SettingsFileName)),
                 qPrintable(Platform->Messages()[0]));
        if (folderGone) {
            QFile::remove(Home->Path());
            QDir().mkpath(Home->Path());
        }
    }

    // The two tabs of the left pane share its width, at every width it is given.
    void leftPaneTabsShareItsWidth() {
        Window w = Start();
        w->resize(1100, 700);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        for (int paneWidth : {160, 420}) {
            w->splVertical->setSizes({paneWidth, 1100 - paneWidth});
            QTRY_COMPARE(w->pcNavigator->width(), paneWidth);
            QCoreApplication::processEvents();
            const QTabBar* tabs = w->pcNavigator->tabBar();
            const int width = tabs->tabRect(0).width();
            QCOMPARE(tabs->tabRect(1).width(), width);
            QVERIFY2(qAbs(width - (paneWidth - 4) / 2) <= 2, qPrintable(QString::number(width)));
        }
    }

    // Shown from the Help menu with the picture the JPEG reader made; any click closes it.
    void aboutWindowFromTheHelpMenu() {
        Window w = Start();
        QImage picture;
        QString version;
        bool closedByClick = false;
        Platform->QueueDialog([&](QDialog* d) {
            if (auto* about = qobject_cast<TfrmAbout*>(d)) {
                picture = about->Picture();
                version = about->lblVersion->text();
                about->show();
                if (QTest::qWaitForWindowExposed(about))
                    QTest::mouseClick(about, Qt::LeftButton, {},
                                      about->lblVersion->geometry().center());
                closedByClick = about->isHidden();
            }
            return d->result();
        });
        w->acAbout->trigger();
        QCOMPARE(version, u"версия 1.2"_s);
        QCOMPARE(picture.size(), QSize(500, 200));
        QVERIFY(picture.pixelColor(5, 5) != picture.pixelColor(100, 60)); // not a blank
        QVERIFY(closedByClick);
    }

    // The picture decoded ahead on another thread is the one decoded on the spot, and only the
    // next window takes it: the one after decodes its own.
    void pictureLoadedAhead() {
        const QImage direct = TfrmAbout::LoadPicture();
        QVERIFY(!direct.isNull());
        TfrmAbout::StartLoadingPicture();
        TfrmAbout first;
        TfrmAbout second;
        QCOMPARE(first.Picture(), direct);
        QCOMPARE(second.Picture(), direct);
    }

    // The main window comes up maximized while the splash still stands, and the splash is gone
    // once the start is over.
    void splashStandsUntilMainWindowIsShownAndIsGoneAfter() {
        TSplashWatcher watcher;
        qApp->installEventFilter(&watcher);
        std::unique_ptr<TfrmMain> w = StartMainWindow({});
        qApp->removeEventFilter(&watcher);
        QVERIFY(w && watcher.SplashSeen && watcher.SplashAtShow);
        QVERIFY(w->isVisible() && w->isMaximized());
        QVERIFY(AboutWindows().isEmpty());
    }

    // The browser (Chromium) is loaded by the first preview, never by the start: a shown main
    // window on a page has not mapped the engine's library into the process.
    void startLeavesTheBrowserUnloaded() {
        const QString page = WritePage(u"start.html"_s, u"<html><body>Старт</body></html>"_s);
        std::unique_ptr<TfrmMain> w = StartMainWindow({page});
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QFile maps(u"/proc/self/maps"_s);
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("libQt6WebEngine"));
    }

    // Last: it changes the application's texts for the rest of the run.
    void qtTextsAreRussian() {
        QVERIFY(InitApplication(*qApp));
        QMessageBox box(QMessageBox::Question, u"Quorvane"_s, u"?"_s,
                        QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), u"Отмена"_s);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
