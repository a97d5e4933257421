// The options dialog "Настройка": what it shows, what "ОК" and "Отмена" do to the editor and to
// the settings written at the end, and its folder browsers.
#include "app/RichEditEx.h"
#include "app/apphome.h"
#include "app/inifile.h"
#include "app/main2.h"
#include "app/options.h"
#include "app/rcstring.h"
#include "app/settings.h"
#include "app/startup.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString IniValue(const QString& section, const QString& key) {
    return TIniFile(SettingsFilePath()).ReadString(section, key, u"<missing>"_s);
}

void WriteSettings(const QString& fontName, const QString& fontSize) {
    testutil::WriteBytes(SettingsFilePath(),
                         "[Shell]\r\nOpenFrom=/srv/open\r\nSaveTo=/srv/save\r\nPicsIn=/srv/pics\r\n"
                         "[Editor]\r\nFontName=" +
                             fontName.toLatin1() + "\r\nFontSize=" + fontSize.toLatin1() + "\r\n");
}

// An installed font other than the editor's, so that choosing it is a change.
QString InstalledFont() {
    const QStringList families = QFontDatabase::families();
    for (const QString& f : {u"DejaVu Sans Mono"_s, u"Liberation Mono"_s})
        if (families.contains(f))
            return f;
    return families.value(0);
}

// Runs the options dialog through the scripted platform; act works on it and presses a button.
void RunOptions(TfrmMain& w, TScriptedPlatform& platform,
                const std::function<void(TfrmOptions&)>& act) {
    bool ran = false;
    platform.QueueDialog([&](QDialog* d) {
        if (auto* dlg = qobject_cast<TfrmOptions*>(d)) {
            ran = true;
            act(*dlg);
        }
        return d->result();
    });
    w.acOptions->trigger();
    QVERIFY(ran);
    QVERIFY(platform.Unanswered.isEmpty()); // nothing else asked on the way
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    std::optional<testutil::TIsolatedHome> Home;
    std::optional<TScriptedPlatform> Platform;

private slots:
    void init() { Home.emplace(), Platform.emplace(); }
    void cleanup() { Platform.reset(), Home.reset(); }

    void showsTheCurrentValues() {
        WriteSettings(InstalledFont(), u"14"_s);
        TfrmMain w;
        RunOptions(w, *Platform, [&](TfrmOptions& dlg) {
            QCOMPARE(dlg.edOpenFrom->text(), u"/srv/open"_s);
            QCOMPARE(dlg.edSaveTo->text(), u"/srv/save"_s);
            QCOMPARE(dlg.edPicsIn->text(), u"/srv/pics"_s);
            QVERIFY(dlg.edOpenFrom->isReadOnly() && dlg.edSaveTo->isReadOnly() &&
                    dlg.edPicsIn->isReadOnly());
            QCOMPARE(dlg.cmbFont->currentText(), InstalledFont());
            QCOMPARE(dlg.cmbfontSize->currentText(), u"14"_s);
            QVERIFY(!dlg.cmbFont->isEditable() && !dlg.cmbfontSize->isEditable());
            QVERIFY(dlg.btnApply->isDefault());
            dlg.btnCancel->click();
        });
    }

    // The fields are read-only, so a long folder must still arrive whole, or it would name another.
    void okChangesTheEditorAtOnceAndIsWrittenAtExit() {
        TfrmMain w;
        const QString font = InstalledFont();
        const QString longFolder = u"/data"_s + u"/очень-длинное-имя-папки"_s.repeated(13);
        Platform->QueueFolder(u"/data/pages"_s);
        Platform->QueueFolder(longFolder);
        RunOptions(w, *Platform, [&](TfrmOptions& dlg) {
            dlg.btnBrowseOpen->click();
            dlg.btnBrowsePics->click();
            dlg.cmbFont->setCurrentText(font);
            dlg.cmbfontSize->setCurrentText(u"14"_s);
            dlg.btnApply->click();
        });
        QCOMPARE(w.reSource->font().pointSize(), 14);
        QCOMPARE(w.reSource->font().family(), font);
        QCOMPARE(w.PicsDialogDir, longFolder);
        // The open dialog starts in the new folder right away.
        Platform->QueueOpen(std::nullopt);
        w.acOpen->trigger();
        QCOMPARE(Platform->OpenRequests.value(0).InitialDir, u"/data/pages"_s);

        QVERIFY(!QFileInfo::exists(SettingsFilePath())); // nothing written before the end
        QVERIFY(w.close());
        QCOMPARE(IniValue(u"Editor"_s, u"FontSize"_s), u"14"_s);
        QCOMPARE(IniValue(u"Shell"_s, u"OpenFrom"_s), u"/data/pages"_s);
        QCOMPARE(IniValue(u"Shell"_s, u"PicsIn"_s), longFolder);
    }

    // "Отмена" after changes, and "ОК" with a font and a size the lists lack (so nothing is
    // selected), both leave the editor and the file at the end as they were.
    void settingsKept_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel after changes") << false;
        QTest::newRow("ok, values the lists lack") << true;
    }

    void settingsKept() {
        QFETCH(bool, ok);
        WriteSettings(u"No Such Font"_s, u"19"_s);
        TfrmMain w;
        const TSettings before = w.Startup->CurrentSettings();
        if (!ok)
            Platform->QueueFolder(u"/elsewhere"_s);
        RunOptions(w, *Platform, [&](TfrmOptions& dlg) {
            QCOMPARE(dlg.cmbFont->currentIndex(), -1);
            QCOMPARE(dlg.cmbfontSize->currentIndex(), -1);
            if (ok)
                return dlg.btnApply->click();
            dlg.btnBrowseSave->click();
            dlg.cmbfontSize->setCurrentText(u"30"_s);
            dlg.cmbFont->setCurrentIndex(dlg.cmbFont->count() - 1);
            dlg.btnCancel->click();
        });
        QCOMPARE(w.Startup->CurrentSettings(), before);
        QVERIFY(w.close());
        QCOMPARE(LoadSettings(TIniFile(SettingsFilePath())).Settings, before);
    }

    // Each browser has its own prompt and starts in the shown page's folder; closed without a
    // choice, it leaves the field as it was.
    void browseButtons_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("open, page shown") << 0;
        QTest::newRow("save, no page") << 1;
        QTest::newRow("pictures, page shown") << 2;
    }

    void browseButtons() {
        QFETCH(int, which);
        const bool withDocument = which != 1;
        QTemporaryDir dir;
        const QString pages = dir.filePath(u"site/pages"_s);
        QVERIFY(QDir().mkpath(pages));
        testutil::WriteBytes(pages + u"/index.html"_s, "<p>x</p>\r\n");
        TfrmMain w(withDocument ? QStringList{pages + u"/index.html"_s} : QStringList{});
        Platform->QueueFolder(u"/chosen/folder"_s);
        Platform->QueueFolder(std::nullopt);
        RunOptions(w, *Platform, [&](TfrmOptions& dlg) {
            QPushButton* btn =
                std::array{dlg.btnBrowseOpen, dlg.btnBrowseSave, dlg.btnBrowsePics}[which];
            QLineEdit* ed = std::array{dlg.edOpenFrom, dlg.edSaveTo, dlg.edPicsIn}[which];
            btn->click();
            QCOMPARE(ed->text(), u"/chosen/folder"_s);
            btn->click();
            QCOMPARE(ed->text(), u"/chosen/folder"_s);
            dlg.btnCancel->click();
        });
        const QList<TPlatformCall> calls = Platform->Calls.mid(1);
        QCOMPARE(calls.size(), 2);
        for (const TPlatformCall& c : calls) {
            QCOMPARE(c.Text, u"Выбор папки|"_s + LoadStr(sBrowseOpenFolder + which));
            QCOMPARE(c.Proposed, withDocument ? QDir::toNativeSeparators(pages) : DefaultFolder());
        }
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
