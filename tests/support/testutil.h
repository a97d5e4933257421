// Helpers shared by the tests: byte-exact file access and an isolated program home.
#pragma once

#include "app/textfile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace testutil {

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// Windows-1251 bytes of a UTF-8 literal, for fixtures written from test code.
QByteArray Cp1251(const QString& text);

// The message of the file error a call throws, or a null text when it throws none.
template <class F> QString ErrorOf(F&& call) {
    try {
        call();
    } catch (const EFileError& e) {
        return e.Message();
    }
    return {};
}

// A temporary folder used as QUORVANE_HOME for the lifetime of the object.
class TIsolatedHome {
public:
    TIsolatedHome();
    ~TIsolatedHome();
    QString Path() const { return FDir.path(); }
    QString File(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
    QByteArray FOldHome;
    bool FHadHome = false;
};

} // namespace testutil
