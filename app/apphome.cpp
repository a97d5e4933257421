#include "app/apphome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString InProgramFolder(const QString& name) {
    return QDir::toNativeSeparators(QDir(ProgramFolder()).filePath(name));
}

} // namespace

bool IsInstalledProgram(const QString& exeDir) {
    return QFileInfo::exists(QDir(exeDir).filePath(u"../share/quorvane/Quorvane.hlp"_s));
}

QString ProgramFolder() {
    const QString home = qEnvironmentVariable("QUORVANE_HOME");
    if (!home.isEmpty()) {
        const QString abs = QDir(home).absolutePath();
        QDir().mkpath(abs);
        return QDir::toNativeSeparators(abs);
    }
    // Without an application object the executable's folder is unknown.
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        const QFileInfo fi(exeDir);
        if (!exeDir.isEmpty() && fi.isDir() && fi.isWritable() && !IsInstalledProgram(exeDir))
            return QDir::toNativeSeparators(exeDir);
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return QDir::toNativeSeparators(config);
}

QString SettingsFilePath() {
    return InProgramFolder(u"quorvane.ini"_s);
}

QString ProjectsFolder() {
    return InProgramFolder(u"Projects"_s);
}

QString TemplatesFilePath() {
    return InProgramFolder(u"templates.qct"_s);
}

bool CreateProjectsFolder() {
    const QString folder = ProjectsFolder();
    QDir().mkpath(folder);
    return QFileInfo(folder).isDir();
}

QString DefaultFolder() {
    return QDir::toNativeSeparators(QDir::homePath());
}
