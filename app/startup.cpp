// The program's start and end as the main window sees them: the settings file, the options
// dialog, the about window and the layout of the left pane.
#include "app/startup.h"

#include "app/RichEditEx.h"
#include "app/about.h"
#include "app/apphome.h"
#include "app/documentset.h"
#include "app/icons.h"
#include "app/inifile.h"
#include "app/main2.h"
#include "app/options.h"
#include "app/platform.h"
#include "app/settings.h"
#include "app/textfile.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QTranslator>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// Calls a function whenever the watched widget changes size.
class TResizeHook : public QObject {
public:
    TResizeHook(QObject* parent, std::function<void()> onResize)
        : QObject(parent), FOnResize(std::move(onResize)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            FOnResize();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> FOnResize;
};

// The platform's style, except that the arrows of a menu bar or toolbar too narrow for its
// commands are read when first shown. Every menu bar and toolbar asks for them when it is made,
// and reading the first picture looks through all of Qt's image plugins: a cost at every start
// for an arrow that shows only in a narrow window.
class TApplicationStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon != SP_ToolBarHorizontalExtensionButton &&
            icon != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        // The option and widget are gone by the time the icon is drawn.
        QPointer<QStyle> base = baseStyle();
        return IconDrawnOnDemand([base, icon](int side) {
            return base ? base->standardIcon(icon).pixmap(side).toImage() : QImage();
        });
    }
};

} // namespace

bool InitApplication(QCoreApplication& app) {
    // Over the style the user chose (-style, QT_STYLE_OVERRIDE) or the desktop's.
    if (qobject_cast<QApplication*>(&app))
        QApplication::setStyle(new TApplicationStyle(QApplication::style()->name()));
    QCoreApplication::setApplicationName(u"Quorvane"_s);
    QCoreApplication::setOrganizationName(u"Quorvane"_s);
    QGuiApplication::setApplicationDisplayName(u"Quorvane"_s);
    // Looked for in the program's folder by "Справка".
    app.setProperty("HelpFile", u"Quorvane.hlp"_s);

    auto* qtTexts = new QTranslator(&app);
    if (!qtTexts->load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtTexts;
        return false;
    }
    QCoreApplication::installTranslator(qtTexts);
    return true;
}

std::unique_ptr<TfrmMain> StartMainWindow(const QStringList& arguments) {
    QString failure;
    std::unique_ptr<TfrmMain> window;
    {
        TfrmAbout splash;
        splash.ShowAsSplash();
        try {
            window = std::make_unique<TfrmMain>(arguments);
        } catch (const EFileError& e) {
            failure = e.Message();
        } catch (const std::exception& e) {
            failure = u"Внутренняя ошибка: %1"_s.arg(QString::fromLocal8Bit(e.what()));
        }
        if (window) {
            // The size the window returns to from maximized. Set first, it also spares laying
            // the whole window out once only to find a size nobody sees.
            if (const QScreen* screen = window->screen())
                window->resize(screen->availableGeometry().size() * 3 / 4);
            window->showMaximized();
        }
    } // the splash goes here, whether or not the window was made
    if (!window)
        ShowError(nullptr, failure);
    return window;
}

// ---- the main window's start-up and settings ----------------------------------------------

TStartup::TStartup(TfrmMain* window) : QObject(window), W(window) {
    setObjectName(u"Startup"_s);
    W->Bind(W->acOptions, [this] { acOptionsExecute(); });
    W->Bind(W->acAbout, [this] { acAboutExecute(); });
    // The left pane is laid out again whenever its width changes, not only when the splitter
    // is dragged (the window is resized, the pane is shown again).
    W->pcNavigator->installEventFilter(new TResizeHook(W, [this] { W->splVerticalMoved(); }));
}

TSettings TStartup::ReadSettings() {
    SettingsFileName = SettingsFilePath();
    const TLoadedSettings loaded = LoadSettings(TIniFile(SettingsFileName));
    const TSettings& s = loaded.Settings;
    W->OpenDialogDir = s.OpenFrom;
    W->SaveDialogDir = s.SaveTo;
    W->PicsDialogDir = s.PicsIn;
    SetEditorFont(s.FontName, s.FontSize);
    // Shown when the window first appears: a message box now would sit under the splash.
    SettingsProblems << loaded.Problems;
    return s;
}

void TStartup::SetEditorFont(const QString& name, int pointSize) {
    QFont font = W->reSource->font();
    font.setFamily(name);
    font.setPointSize(pointSize);
    W->reSource->setFont(font);
}

TSettings TStartup::CurrentSettings() const {
    TSettings s;
    s.OpenFrom = W->OpenDialogDir;
    s.SaveTo = W->SaveDialogDir;
    s.PicsIn = W->PicsDialogDir;
    s.FontName = W->reSource->font().family();
    s.FontSize = W->reSource->font().pointSize();
    s.IsWordWrap = W->acWordWrap->isChecked();
    s.NavVisible = W->acNavigator->isChecked();
    return s;
}

void TStartup::FormShow() {
    W->reSource->setFocus();
    if (FSettingsProblemsShown || SettingsProblems.isEmpty())
        return;
    FSettingsProblemsShown = true;
    // After the window has painted, so the message stands in front of it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (const QString& problem : std::as_const(SettingsProblems))
                ShowWarning(W, problem);
        },
        Qt::QueuedConnection);
}

void TStartup::FormClose() {
    TIniFile ini(SettingsFileName);
    try {
        SaveSettings(ini, CurrentSettings());
    } catch (const EFileError& e) {
        // The window closes all the same; the next run starts from the defaults or from what
        // the file still holds.
        ShowError(W, u"Настройки не сохранены.\n%1"_s.arg(e.Message()));
    }
}

QString TStartup::OptionsBrowseStart() const {
    const QString shown = W->Documents->CurrentPath();
    if (!shown.isEmpty())
        return QDir::toNativeSeparators(QFileInfo(shown).absolutePath());
    return DefaultFolder();
}

void TStartup::acOptionsExecute() {
    const TOptionsValues current{W->OpenDialogDir, W->SaveDialogDir, W->PicsDialogDir,
                                 W->reSource->font().family(), W->reSource->font().pointSize()};
    TfrmOptions dlg(current, OptionsBrowseStart(), W);
    if (Platform().ExecDialog(&dlg) != QDialog::Accepted)
        return;
    const TOptionsValues& chosen = dlg.Values();
    W->OpenDialogDir = chosen.OpenFrom;
    W->SaveDialogDir = chosen.SaveTo;
    W->PicsDialogDir = chosen.PicsIn;
    SetEditorFont(chosen.FontName, chosen.FontSize);
}

void TStartup::acAboutExecute() {
    TfrmAbout dlg(W);
    dlg.Tag = 1;
    Platform().ExecDialog(&dlg);
}
