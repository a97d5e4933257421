// The screenshot tour: the main window on the sample site, saved as PNG files so anyone can look
// at what a user sees. Run by `make screenshots` under Xvfb; headless it still checks the window
// can be grabbed.
#include "support/windowfixture.h"

#include "app/about.h"   // about and options shots
#include "app/options.h" // about and options shots
#include "markup/ctrl.h"

#include <QAction>
#include <QDialog>

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
            w.lvContent->findItems(u"news.html"_s, Qt::MatchExactly);
        QCOMPARE(news.size(), 1);
        QCOMPARE(news.constFirst()->data(Qt::UserRole).toInt(), 61);
        w.lvContent->setCurrentItem(news.constFirst());
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
        QTRY_VERIFY(w.lbCompletion->isVisible());
        Save(&w, u"completion.png"_s);
        QTest::keyClick(w.lbCompletion, Qt::Key_Escape);
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
