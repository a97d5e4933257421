// The screenshot tour: the main window on the sample site, saved as PNG files so anyone can look
// at what a user sees. Run by `make screenshots` under Xvfb; headless it still checks the window
// can be grabbed.
#include "app/about.h"
#include "app/actiontable.h"
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/icons.h"
#include "app/inifile.h"
#include "app/options.h"
#include "app/preview.h"
#include "app/textfile.h"
#include "html/editingaids.h"
#include "html/navigator.h"
#include "markup/anchor.h"
#include "markup/area.h"
#include "markup/cssclass.h"
#include "markup/ctrl.h"
#include "markup/dialogparts.h"
#include "markup/elements.h"
#include "markup/flash.h"
#include "markup/font.h"
#include "markup/form.h"
#include "markup/frame.h"
#include "markup/image.h"
#include "markup/lists.h"
#include "markup/select.h"
#include "markup/table.h"
#include "markup/td.h"
#include "markup/wizard.h"
#include "site/findreplace.h"
#include "site/newsite.h"
#include "site/selectfile.h"
#include "site/sitebrowser.h"
#include "site/sitemgr.h"
#include "support/windowfixture.h"
#include "widgets/colorbutton.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
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

    // Shows a dialog, waits until it is on the screen and saves it.
    void Shoot(QWidget* dialog, const QString& name) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCoreApplication::processEvents();
        Save(dialog, name);
        dialog->hide();
    }

    // Shows the sample page in the fixture's window, at the tour's size unless `resize` is off.
    static TfrmMain& Sample(TWindowFixture& f, bool resize = true) {
        if (resize)
            f.W->resize(1200, 800);
        f.Open(QStringLiteral(QUORVANE_SAMPLE_SITE "/index.html"));
        return *f.W;
    }

private slots:
    void mainWindowWithSamplePage() {
        TWindowFixture f;
        TfrmMain& w = Sample(f);
        QCOMPARE(w.DocumentCount(), 1);
        w.reSource->Select(0, 0);
        QTest::qWait(50);
        Save(&w, u"main-window.png"_s);
    }

    // The window at its smallest size, where every command must still be reachable.
    void smallestWindow() {
        TWindowFixture f;
        TfrmMain& w = Sample(f, false);
        w.showNormal();
        w.resize(w.minimumSize());
        QTest::qWait(50);
        Save(&w, u"smallest-window.png"_s);
    }

    // The navigator on the sample page: its link to the missing news.html carries the broken mark.
    void navigatorWithBrokenLink() {
        TWindowFixture f;
        TfrmMain& w = Sample(f);
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
        TfrmMain& w = Sample(f);
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
        TfrmMain& w = Sample(f);
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
        Shoot(&ctrl, u"name-value.png"_s);
    }

    // Each page of the tag toolbars: the icons, and the quick lists showing their captions whole.
    void tagToolbars() {
        TWindowFixture f;
        TfrmMain& w = Sample(f);
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

    // The hyperlink, picture (each of its pages), map area and frame dialogs.
    void linkDialogs() {
        TWindowFixture f;
        TfrmMain& w = Sample(f, false);
        const TElementContext context = w.ElementDialogs->Launch();
        TfrmAnchor anchor(context, 0, {}, &w);
        Shoot(&anchor, u"anchor.png"_s);
        TfrmImage image(context, &w);
        for (int page = 0; page < 4; ++page) {
            image.Pages->ShowPage(page);
            Shoot(&image, u"image-%1.png"_s.arg(page + 1));
        }
        TfrmArea area(context, &w);
        Shoot(&area, u"area.png"_s);
        TfrmFrame frame(context, &w);
        Shoot(&frame, u"frame.png"_s);
    }

    // The table, cell, list, form, select, font and Flash dialogs and the colour palette.
    void blockDialogs() {
        TWindowFixture f;
        TfrmMain& w = Sample(f, false);
        const QStringList classes = w.ElementDialogs->ScanClasses();
        const QString page = w.ElementDialogs->PageFile();
        TfrmTable table(classes, page, &w);
        for (int i = 0; i < 4; ++i) {
            table.lbOptions->ShowPage(i);
            Shoot(&table, u"table-%1.png"_s.arg(i + 1));
        }
        TfrmTd td(classes, {}, &w);
        for (int i = 0; i < 3; ++i) {
            td.lbOptions->ShowPage(i);
            Shoot(&td, u"cell-%1.png"_s.arg(i + 1));
        }
        TfrmList list(classes, &w);
        list.lbList->addItems({u"Первый пункт"_s, u"Второй пункт"_s});
        Shoot(&list, u"list.png"_s);
        TfrmForm form(classes, {}, &w);
        Shoot(&form, u"form.png"_s);
        TfrmSelect select(classes, &w);
        select.lvOptions->addTopLevelItem(new QTreeWidgetItem(QStringList{u"Москва"_s, u"msk"_s}));
        Shoot(&select, u"select.png"_s);
        TfrmFont font(classes, QFontDatabase::families(), {}, &w);
        Shoot(&font, u"font.png"_s);
        TfrmFlash flash(page, &w);
        Shoot(&flash, u"flash.png"_s);
        TColorButton colors(&w);
        Shoot(colors.Palette(), u"palette.png"_s);
    }

    // The site browser on the sample site and the project dialogs.
    void siteBrowserAndProjects() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        const QString root = QStringLiteral(QUORVANE_SAMPLE_SITE);
        const QString project = ProjectsFolder() + u"/Пример.qsf"_s;
        TIniFile(project).WriteValues(
            {{u"General"_s, u"Title"_s, u"Пример"_s}, {u"General"_s, u"RootDir"_s, root}});
        w.SiteBrowser->wsSite->LoadFromFile(project);
        w.SiteBrowser->SetSiteActive(true);
        QVERIFY(w.SiteBrowser->lvSite->topLevelItemCount() > 1);
        w.SiteBrowser->lvSite->setCurrentItem(w.SiteBrowser->lvSite->topLevelItem(1));
        f.Open(root + u"/index.html"_s);
        QTest::qWait(50);
        Save(&w, u"site-browser.png"_s);
        TfrmNewSite newSite(false, &w);
        newSite.edSiteTitle->setText(u"Мой сайт"_s);
        Shoot(&newSite, u"new-project.png"_s);
        TfrmNewSite editSite(true, &w);
        editSite.SetProject(u"Пример"_s, u"index.html"_s, root);
        Shoot(&editSite, u"edit-project.png"_s);
        TfrmSite manager(&w);
        Shoot(&manager, u"projects.png"_s);
        TfrmSelectFile copy(sfmCopy, root + u"/index.html"_s, QString(), root, &w);
        Shoot(&copy, u"copy-file.png"_s);
    }

    // The search page after a find across a small project, with its results below the editor.
    void findAcrossProject() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        QTemporaryDir dir;
        const QString root = dir.filePath(u"site"_s);
        QDir().mkpath(root + u"/news"_s);
        WriteTextFile(root + u"/index.html"_s,
                      u"<html>\n<title>Главная</title>\n<p>Новость дня</p>\n"_s);
        WriteTextFile(root + u"/news/item.html"_s, u"<p>Новость</p>\n<p>разное</p>\n"_s);
        w.ProjectRootDir = [root] { return root; };
        w.FindReplace->ProjectStateChanged();
        f.Open(root + u"/index.html"_s);
        w.pcNavigator->setCurrentWidget(w.tsFind);
        w.edFindText->setText(u"новость"_s);
        w.FindReplace->chkEntireSite->setChecked(true);
        w.acFind->trigger();
        QCoreApplication::processEvents();
        QVERIFY(w.lvSearchResults->topLevelItemCount() >= 2);
        Save(&w, u"find-results.png"_s);
    }

    // The wizard's four steps and the class editor's ten pages.
    void wizardAndClassEditor() {
        TWindowFixture f;
        TfrmMain& w = Sample(f, false);
        TWizardContext context;
        context.SaveTo = QDir::tempPath();
        context.TemplatesFile = TemplatesFilePath();
        TfrmWizard wizard(context, &w);
        wizard.edTitle->setText(u"Главная страница"_s);
        wizard.chkUseTemplate->setChecked(true);
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        for (int step = 0; step < 4; ++step) {
            Save(&wizard, u"wizard-%1.png"_s.arg(step + 1));
            if (step < 3) // "OK" on the last step would write the page
                wizard.btnOk->click();
        }
        wizard.reject();
        TfrmClass editor(QFontDatabase::families(), w.Documents->CurrentPath(), &w);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        for (int page = 0; page < 10; ++page) {
            editor.lbCategories->ShowPage(page);
            Save(&editor, u"class-%1.png"_s.arg(page + 1, 2, 10, QChar(u'0')));
        }
        editor.reject();
    }

    // The sample page in the embedded preview, and the help window.
    void previewAndHelp() {
        TWindowFixture f;
        TfrmMain& w = *f.W;
        w.resize(1200, 800);
        // A copy of the sample site: the preview writes its file beside the page.
        const QString site = f.Dir.filePath(u"sample-site"_s);
        const QDir from(QStringLiteral(QUORVANE_SAMPLE_SITE));
        QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString to = site + u'/' + from.relativeFilePath(file);
            QVERIFY(QDir().mkpath(QFileInfo(to).path()));
            QVERIFY(QFile::copy(file, to));
        }
        f.Open(site + u"/index.html"_s);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.acInternalPreview->trigger();
        // The tour is not linked to the browser engine: the preview loads it as the program does.
        QVERIFY(w.Preview->wbPreview);
        QSignalSpy loaded(w.Preview->wbPreview, SIGNAL(loadFinished(bool)));
        QVERIFY(loaded.isValid());
        QVERIFY(loaded.wait(60000));
        QTest::qWait(800); // the view paints after the load
        Save(&w, u"preview.png"_s);
        w.acInternalPreview->trigger();
        w.Preview->HelpSearchFolders = {
            QDir::cleanPath(QStringLiteral(QUORVANE_SAMPLE_SITE "/../../resources/help"))};
        w.acHelp->trigger();
        QVERIFY(w.Preview->frmHelp);
        QTest::qWait(200);
        Save(w.Preview->frmHelp, u"help.png"_s);
        w.Preview->frmHelp->close();
    }

    // The about window (also the splash) and the options dialog.
    void aboutAndOptions() {
        TfrmAbout about;
        Shoot(&about, u"about.png"_s);
        TfrmOptions options({u"/home/user/site"_s, u"/home/user/site"_s,
                             u"/home/user/site/images"_s, u"DejaVu Sans Mono"_s, 10},
                            u"/home/user"_s);
        Shoot(&options, u"options.png"_s);
    }
};

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
