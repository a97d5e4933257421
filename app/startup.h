// The program's start: the application's own settings and the main window made behind the
// splash window.
#pragma once

#include <QStringList>

#include <memory>

class QCoreApplication;
class TfrmMain;

// The application's title and help file, and Qt's own Russian texts ("Да", "Нет", "Отмена"
// on standard buttons). Returns whether the Russian texts were found.
bool InitApplication(QCoreApplication& app);

// Creates the main window while the about window shows as a splash. The splash is gone when
// this returns, also when the window could not be created; then the reason has been shown and
// the result is empty.
std::unique_ptr<TfrmMain> CreateMainWindow(const QStringList& arguments);
