#include "support/testutil.h"

#include "app/textfile.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>

namespace testutil {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    f.write(bytes);
}

QByteArray Cp1251(const QString& text) {
    return EncodeCp1251(text);
}

TIsolatedHome::TIsolatedHome() {
    QStandardPaths::setTestModeEnabled(true);
    FHadHome = qEnvironmentVariableIsSet("QUORVANE_HOME");
    FOldHome = qgetenv("QUORVANE_HOME");
    qputenv("QUORVANE_HOME", FDir.path().toLocal8Bit());
}

TIsolatedHome::~TIsolatedHome() {
    if (FHadHome)
        qputenv("QUORVANE_HOME", FOldHome);
    else
        qunsetenv("QUORVANE_HOME");
}

} // namespace testutil
