// Files for the fuzz targets whose component reads and writes the disk: one temporary folder per
// process, in memory where /dev/shm exists, so each run costs no real disk work.
#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace fuzzfiles {

// The folder is named after the target, so what a stopped run leaves behind is easy to find.
inline const QTemporaryDir& Folder(const char* target) {
    static const QTemporaryDir dir(QFile::exists(QStringLiteral("/dev/shm"))
                                       ? QStringLiteral("/dev/shm/quorvane-fuzz-") +
                                             QLatin1StringView(target) + QStringLiteral("-XXXXXX")
                                       : QString());
    if (!dir.isValid())
        std::abort();
    return dir;
}

inline void Put(const QString& path, QByteArrayView bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
}

inline QByteArray Get(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace fuzzfiles
