// The screenshot tour: the main window on the sample site, saved as PNG files so anyone can look
// at what a user sees. Run by `make screenshots` under Xvfb; headless it still checks the window
// can be grabbed.
#include "html/navigator.h"
#include "html/editingaids.h"
#include "support/windowfixture.h"

#include "app/about.h" // about and options shots
#include "app/actiontable.h"
#include "app/icons.h"
#include "app/options.h" // about and options shots
#include "markup/ctrl.h"

#include <QAction>
#include <QDialog>
#include <QPainter>

#include <QDir>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestScreenshots : public QObject {
    Q_OBJECT

    QString Folder() const {
        const QString dir = qEnvironmentVariable("QUORVANE_SCREENSHOTS");
        return dir.isEmpty() ? QDir::temp().filePath(u"quorvane-screenshots"_s) : dir;
    }

    void Save(QWidget* widget, const QString& name) {
        QDir().mkpath(Folder());
        const QPixmap shot = widget->grab();
        QVERIFY(!shot.isNull());
        QVERIFY(shot.save(QDir(Folder()).filePath(name), "PNG"));
    }

private slots:
    void mainWindowWithSamplePage() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        QCOMPARE(w.DocumentCount(), 1);
        w.reSource->Select(0, 0);
        QTest::qWait(50);
        Save(&w, u"main-window.png"_s);
    }

    // The navigator on the sample page: its link to the missing news.html carries the broken mark.
    void navigatorWithBrokenLink() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        const QList<QListWidgetItem*> news =
            w.Navigator->lvContent->findItems(u"news.html"_s, Qt::MatchExactly);
        QCOMPARE(news.size(), 1);
        QCOMPARE(news.constFirst()->data(Qt::UserRole).toInt(), 61);
        w.Navigator->lvContent->setCurrentItem(news.constFirst());
        QTest::qWait(50);
        Save(w.pcNavigator, u"navigator.png"_s);
    }

    // Completion: typing an attribute name and "=" opens the value list at the caret.
    void completionList() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const int pos = int(w.reSource->Text().indexOf(u"<p class=\"note\">"_s)) + 2;
        w.reSource->Select(pos, 0);
        w.reSource->setFocus();
        f.Type(u" align="_s);
        QTRY_VERIFY(w.EditingAids->lbCompletion->isVisible());
        Save(&w, u"completion.png"_s);
        QTest::keyClick(w.EditingAids->lbCompletion, Qt::Key_Escape);
    }

    // The tag attribute editor on the sample page's logo picture, and the name/value dialog.
    void tagEditorAndNameValue() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        w.reSource->Select(int(w.reSource->Text().indexOf(u"<img src=\"images/logo"_s)) + 3, 0);
        f.Platform.QueueDialog([this](QDialog* dlg) {
            dlg->show();
            if (QTest::qWaitForWindowExposed(dlg))
                Save(dlg, u"tag-editor.png"_s);
            return int(QDialog::Rejected);
        });
        w.acEditTag->trigger();
        QCOMPARE(f.Platform.Calls.size(), 1);

        TfrmCtrl ctrl(TCtrlMode::Element, u"text"_s);
        ctrl.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
        Save(&ctrl, u"name-value.png"_s);
    }

    // Each page of the tag toolbars: the icons, and the quick lists showing their captions whole.
    void tagToolbars() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        for (int i = 0; i < w.pcTagMenu->count(); ++i) {
            w.pcTagMenu->setCurrentIndex(i);
            QTest::qWait(20);
            Save(w.pnlMenu, u"toolbar-%1.png"_s.arg(i + 1));
        }
    }

    // Every icon of the program at 16 and 32 pixels, the navigator's broken variants after
    // their kinds, with the keys beneath: one sheet to look the whole set over.
    void iconSheet() {
        QStringList keys;
        for (const TActionRow& row : ActionTable())
            keys << QString::fromLatin1(row.Icon);
        const QStringList navigator = {u"a"_s,     u"img"_s,   u"object"_s,
                                       u"embed"_s, u"frame"_s, u"style"_s};
        keys << u"folder"_s << u"page"_s << u"picture"_s << u"file"_s << u"up"_s;
        keys.removeDuplicates();
        const int cell = 96, columns = 10;
        const qsizetype count = keys.size() + navigator.size();
        QPixmap sheet(columns * cell, int((count + columns - 1) / columns) * 64);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        QFont font = p.font();
        font.setPixelSize(10);
        p.setFont(font);
        int at = 0;
        auto put = [&](const QIcon& icon, const QString& name) {
            const int x = (at % columns) * cell, y = (at / columns) * 64;
            p.drawPixmap(x + 8, y + 8, icon.pixmap(16, 16));
            p.drawPixmap(x + 32, y + 8, icon.pixmap(32, 32));
            p.drawText(QRect(x, y + 44, cell, 16), Qt::AlignCenter, name);
            ++at;
        };
        for (const QString& key : keys)
            put(CommandIcon(key), key);
        for (const QString& key : navigator)
            put(BrokenCommandIcon(key), key + u" (битая)"_s);
        p.end();
        QDir().mkpath(Folder());
        QVERIFY(sheet.save(QDir(Folder()).filePath(u"icons.png"_s), "PNG"));
    }

    // The about window (also the splash) and the options dialog.
    void aboutAndOptions() {
        TfrmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        Save(&about, u"about.png"_s);

        TfrmOptions options({u"/home/user/site"_s, u"/home/user/site"_s,
                             u"/home/user/site/images"_s, u"DejaVu Sans Mono"_s, 10},
                            u"/home/user"_s);
        options.show();
        QVERIFY(QTest::qWaitForWindowExposed(&options));
        Save(&options, u"options.png"_s);
    }
};

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
