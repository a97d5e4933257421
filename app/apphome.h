// Where the program keeps its own files: the settings file, the project files and the colour
// templates.
#pragma once

#include <QString>

// The folder for the program's own files. The environment variable QUORVANE_HOME names it when
// set (tests use it); otherwise it is the executable's folder when that is writable, else the
// per-user configuration folder, created when missing.
QString ProgramFolder();
// Whether the executable in that folder was installed (its help file lies in
// ../share/quorvane): an installed program keeps its files in the per-user configuration
// folder even when it may write beside itself, as root may.
bool IsInstalledProgram(const QString& exeDir);

// "quorvane.ini" in the program folder.
QString SettingsFilePath();
// "Projects" in the program folder; the project files lie there.
QString ProjectsFolder();
// "templates.qct" in the program folder: the colour templates of the new-document wizard.
QString TemplatesFilePath();
// Creates the projects folder with any missing parents. A folder that already exists or cannot be
// created is accepted silently; the result says whether it exists now.
bool CreateProjectsFolder();

// The folder the remembered folders start in before the user picks one: the user's home folder.
QString DefaultFolder();
