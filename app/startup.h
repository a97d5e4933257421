// The program's start: the application's own settings and the main window made behind the
// splash window.
#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QCoreApplication;
class TfrmMain;
struct TSettings;

// The application's title and help file, and Qt's own Russian texts ("Да", "Нет", "Отмена"
// on standard buttons). Returns whether the Russian texts were found.
bool InitApplication(QCoreApplication& app);

// Creates the main window while the about window shows as a splash, shows it maximized and
// then takes the splash down: the window appears without waiting for that, and no moment passes
// with neither on the screen. The splash is gone when this returns, also when the window could
// not be created; then the reason has been shown and the result is empty.
std::unique_ptr<TfrmMain> StartMainWindow(const QStringList& arguments);

// The main window's settings carried between runs, the options dialog and the about window.
class TStartup : public QObject {
    Q_OBJECT

public:
    explicit TStartup(TfrmMain* window);

    // The settings file read at creation and written at shut-down.
    QString SettingsFileName;
    // Values of the settings file that could not be used; shown once when the window appears.
    QStringList SettingsProblems;
    // Applies the Shell and Editor values of the settings file; returns all seven values.
    TSettings ReadSettings();
    // The seven remembered values as the window holds them now.
    TSettings CurrentSettings() const;
    void SetEditorFont(const QString& name, int pointSize);
    // Writes the settings at shut-down; a failure is reported and the window closes all the same.
    void FormClose();
    // The window appeared: the problems with the settings are told once.
    void FormShow();
    void acOptionsExecute();
    void acAboutExecute();
    // Where the options dialog's folder browser starts: the shown document's folder.
    QString OptionsBrowseStart() const;

private:
    TfrmMain* W;
    bool FSettingsProblemsShown = false;
};
