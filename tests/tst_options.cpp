// The options dialog "Настройка": what it shows, what "ОК" and "Отмена" do to the editor and to
// the settings written at the end, and its folder browsers.
#include "app/RichEditEx.h"
#include "app/apphome.h"
#include "app/inifile.h"
#include "app/main2.h"
#include "app/options.h"
#include "app/rcstring.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "support/scriptedplatform.h"
#include "support/testutil.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Window = std::unique_ptr<TfrmMain>;

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

// Runs the options dialog through the scripted platform; the function acts on it and returns
// the result code.
void RunOptions(TfrmMain& w, TScriptedPlatform& platform,
                const std::function<int(TfrmOptions&)>& act) {
    bool ran = false;
    platform.QueueDialog([&](QDialog* d) {
        auto* dlg = qobject_cast<TfrmOptions*>(d);
        if (!dlg)
            return int(QDialog::Rejected);
        ran = true;
        return act(*dlg);
    });
    w.acOptions->trigger();
    QVERIFY(ran);
    QVERIFY(platform.Unanswered.isEmpty());
}

int Press(TfrmOptions& dlg, QPushButton* button) {
    button->click();
    return dlg.result();
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void showsTheCurrentValues() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        WriteSettings(InstalledFont(), u"14"_s);
        Window w = std::make_unique<TfrmMain>();
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            [&] {
                QCOMPARE(dlg.windowTitle(), u"Настройка"_s);
                QCOMPARE(dlg.lblBanner->text(), u"Изменение настроек приложения"_s);
                QCOMPARE(dlg.edOpenFrom->text(), u"/srv/open"_s);
                QCOMPARE(dlg.edSaveTo->text(), u"/srv/save"_s);
                QCOMPARE(dlg.edPicsIn->text(), u"/srv/pics"_s);
                for (QLineEdit* ed : {dlg.edOpenFrom, dlg.edSaveTo, dlg.edPicsIn})
                    QVERIFY(ed->isReadOnly());
                QCOMPARE(dlg.cmbFont->count(), QFontDatabase::families().size());
                QCOMPARE(dlg.cmbFont->currentText(), InstalledFont());
                QStringList sizes;
                for (int i = 0; i < dlg.cmbfontSize->count(); ++i)
                    sizes << dlg.cmbfontSize->itemText(i);
                QCOMPARE(sizes.join(u' '), u"8 9 10 11 12 13 14 15 16 17 18 20 22 24 26 28 30 32 "
                                           u"34 36 38 40"_s);
                QCOMPARE(dlg.cmbfontSize->currentText(), u"14"_s);
                QVERIFY(!dlg.cmbFont->isEditable() && !dlg.cmbfontSize->isEditable());
                QCOMPARE(dlg.btnApply->text(), u"ОК"_s);
                QVERIFY(dlg.btnApply->isDefault());
                QCOMPARE(dlg.btnCancel->text(), u"Отмена"_s);
                for (QPushButton* b : {dlg.btnBrowseOpen, dlg.btnBrowseSave, dlg.btnBrowsePics})
                    QCOMPARE(b->text(), u". . ."_s);
            }();
            return Press(dlg, dlg.btnCancel);
        });
        QCOMPARE(platform.Calls.size(), 1);
        QCOMPARE(platform.Calls[0].Text, u"TfrmOptions"_s);
    }

    // A font or size the lists do not offer leaves the list without a selection, and "ОК" then
    // keeps the editor's value.
    void valuesTheListsDoNotOffer_data() {
        QTest::addColumn<QString>("fontName");
        QTest::addColumn<QString>("fontSize");
        QTest::addColumn<bool>("fontListed");
        QTest::addColumn<bool>("sizeListed");
        QTest::newRow("both offered") << InstalledFont() << u"12"_s << true << true;
        QTest::newRow("size between the offered ones")
            << InstalledFont() << u"19"_s << true << false;
        QTest::newRow("size below the list") << InstalledFont() << u"7"_s << true << false;
        QTest::newRow("font not installed") << u"No Such Font"_s << u"10"_s << false << true;
    }

    void valuesTheListsDoNotOffer() {
        QFETCH(QString, fontName);
        QFETCH(QString, fontSize);
        QFETCH(bool, fontListed);
        QFETCH(bool, sizeListed);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        WriteSettings(fontName, fontSize);
        Window w = std::make_unique<TfrmMain>();
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            [&] {
                QCOMPARE(dlg.cmbFont->currentIndex() >= 0, fontListed);
                QCOMPARE(dlg.cmbfontSize->currentIndex() >= 0, sizeListed);
            }();
            return Press(dlg, dlg.btnApply);
        });
        QCOMPARE(w->reSource->font().family(), fontName);
        QCOMPARE(w->reSource->font().pointSize(), fontSize.toInt());
        QVERIFY(w->close());
        QCOMPARE(IniValue(u"Editor"_s, u"FontName"_s), fontName);
        QCOMPARE(IniValue(u"Editor"_s, u"FontSize"_s), fontSize);
    }

    void okChangesTheEditorAtOnceAndIsWrittenAtExit() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        Window w = std::make_unique<TfrmMain>();
        const QString font = InstalledFont();
        platform.QueueFolder(u"/data/pages"_s);
        platform.QueueFolder(u"/data/pictures"_s);
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            dlg.btnBrowseOpen->click();
            dlg.btnBrowsePics->click();
            dlg.cmbFont->setCurrentText(font);
            dlg.cmbfontSize->setCurrentText(u"14"_s);
            return Press(dlg, dlg.btnApply);
        });
        QCOMPARE(w->reSource->font().pointSize(), 14);
        QCOMPARE(w->reSource->font().family(), font);
        QCOMPARE(w->OpenDialogDir, u"/data/pages"_s);
        QCOMPARE(w->SaveDialogDir, DefaultFolder());
        QCOMPARE(w->PicsDialogDir, u"/data/pictures"_s);
        // The open dialog starts in the new folder right away.
        platform.QueueOpen(std::nullopt);
        w->acOpen->trigger();
        QCOMPARE(platform.OpenRequests.value(0).InitialDir, u"/data/pages"_s);

        QVERIFY(!QFileInfo::exists(SettingsFilePath())); // nothing written before the end
        QVERIFY(w->close());
        QCOMPARE(IniValue(u"Editor"_s, u"FontSize"_s), u"14"_s);
        QCOMPARE(IniValue(u"Editor"_s, u"FontName"_s), font);
        QCOMPARE(IniValue(u"Shell"_s, u"OpenFrom"_s), u"/data/pages"_s);
        QCOMPARE(IniValue(u"Shell"_s, u"PicsIn"_s), u"/data/pictures"_s);
    }

    void cancelChangesNothing() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        WriteSettings(u"DejaVu Sans Mono"_s, u"12"_s);
        Window w = std::make_unique<TfrmMain>();
        const TSettings before = w->CurrentSettings();
        platform.QueueFolder(u"/elsewhere"_s);
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            dlg.btnBrowseSave->click();
            dlg.cmbfontSize->setCurrentText(u"30"_s);
            dlg.cmbFont->setCurrentIndex(dlg.cmbFont->count() - 1);
            return Press(dlg, dlg.btnCancel);
        });
        QCOMPARE(w->CurrentSettings(), before);
        QVERIFY(w->close());
        const TSettings written = LoadSettings(TIniFile(SettingsFilePath())).Settings;
        QCOMPARE(written, before);
    }

    void browseButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("prompt");
        QTest::addColumn<bool>("withDocument");
        const struct {
            const char* Button;
            const char* Field;
            int Prompt;
        } rows[] = {{"btnBrowseOpen", "edOpenFrom", sBrowseOpenFolder},
                    {"btnBrowseSave", "edSaveTo", sBrowseSaveFolder},
                    {"btnBrowsePics", "edPicsIn", sBrowsePicsFolder}};
        for (const auto& r : rows)
            for (bool doc : {true, false})
                QTest::addRow("%s, %s", r.Button, doc ? "page open" : "no page")
                    << QString::fromLatin1(r.Button) << QString::fromLatin1(r.Field) << r.Prompt
                    << doc;
    }

    void browseButtons() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(int, prompt);
        QFETCH(bool, withDocument);
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        QTemporaryDir dir;
        const QString pages = dir.filePath(u"site/pages"_s);
        QVERIFY(QDir().mkpath(pages));
        const QString page = pages + u"/index.html"_s;
        testutil::WriteBytes(page, "<p>x</p>\r\n");
        Window w = std::make_unique<TfrmMain>(withDocument ? QStringList{page} : QStringList{});
        QCOMPARE(w->DocumentCount(), withDocument ? 1 : 0);
        platform.QueueFolder(u"/chosen/folder"_s);
        platform.QueueFolder(std::nullopt); // the user closes the browser without a choice
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            auto* btn = dlg.findChild<QPushButton*>(button);
            auto* ed = dlg.findChild<QLineEdit*>(field);
            [&] {
                QVERIFY(btn && ed);
                btn->click();
                QCOMPARE(ed->text(), u"/chosen/folder"_s);
                btn->click();
                QCOMPARE(ed->text(), u"/chosen/folder"_s);
            }();
            return Press(dlg, dlg.btnCancel);
        });
        const QList<TPlatformCall> calls = platform.Calls.mid(1);
        QCOMPARE(calls.size(), 2);
        for (const TPlatformCall& c : calls) {
            QCOMPARE(c.Kind, u"folder"_s);
            QCOMPARE(c.Text, u"Выбор папки|"_s + LoadStr(prompt));
            QCOMPARE(c.Proposed, withDocument ? QDir::toNativeSeparators(pages) : DefaultFolder());
        }
    }

    // The fields are read-only; a long folder must still arrive whole, or it would name another.
    void longFolderIsKeptWhole() {
        testutil::TIsolatedHome home;
        TScriptedPlatform platform;
        Window w = std::make_unique<TfrmMain>();
        QString folder = u"/data"_s;
        while (folder.size() < 300)
            folder += u"/очень-длинное-имя-папки"_s;
        platform.QueueFolder(folder);
        RunOptions(*w, platform, [&](TfrmOptions& dlg) {
            dlg.btnBrowseSave->click();
            return Press(dlg, dlg.btnApply);
        });
        QCOMPARE(w->SaveDialogDir, folder);
        QVERIFY(w->close());
        QCOMPARE(IniValue(u"Shell"_s, u"SaveTo"_s), folder);
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
