// A save cut off at any moment: a child process saves a large page over and over through the
// editor's save, alternating two contents, and is killed outright at varied moments. The file
// must then hold one of the two contents whole, and the next save must work and clear away what
// the killed save left.
#include "app/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testutil::ReadBytes;

namespace {

// A page of several megabytes; the two contents differ in every line and in length, so that
// any mix of them differs from both.
QString LargePage(const QString& word, int lines) {
    QString text;
    text.reserve(qsizetype(lines) * 64);
    for (int i = 0; i < lines; ++i)
        text += u"<p class=\"%1\">строка %2: %1 %1 %1</p>\n"_s.arg(word).arg(i);
    return text;
}

constexpr int kKills = 30;

// Waits until a file whose name starts with the prefix appears in the watched folder; false
// when none does within two seconds.
bool WaitForNewFile(int watch, const QByteArray& prefix) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        pollfd p{watch, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0)
            return false;
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
            if (e->len > 0 && QByteArrayView(static_cast<const char*>(e->name)).startsWith(prefix))
                return true;
            at += ssize_t(sizeof(inotify_event) + e->len);
        }
    }
}

QStringList Entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

// Drops the events of the folder so far.
void DrainEvents(int watch) {
    char buffer[4096];
    while (::read(watch, buffer, sizeof buffer) > 0) {
    }
}

} // namespace

class TestCrashSave : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesOldOrNewContent() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"page.html"_s);
        const QString a = LargePage(u"первый"_s, 55000);
        const QString b = LargePage(u"второй-вариант"_s, 45000);
        const QByteArray bytesA = ToFileBytes(a), bytesB = ToFileBytes(b);
        QVERIFY(bytesA.size() > 2.5 * 1024 * 1024 && bytesB.size() > 2.5 * 1024 * 1024);
        QVERIFY(bytesA.size() != bytesB.size());
        WriteTextFile(path, a);
        bool onDiskIsA = true;
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        const auto closeWatch = qScopeGuard([watch] { ::close(watch); });
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(), IN_CREATE) >=
                0);
        int leftovers = 0;

        for (int kill = 0; kill < kKills; ++kill) {
            DrainEvents(watch);
            const pid_t pid = ::fork();
            QVERIFY(pid >= 0);
            if (pid == 0) {
                // Starts with the content that is not on the disk, so every save changes it.
                for (bool nextIsA = !onDiskIsA;; nextIsA = !nextIsA) {
                    try {
                        WriteTextFile(path, nextIsA ? a : b);
                    } catch (...) {
                        ::_exit(1);
                    }
                }
            }
            // Half the kills come at any moment, half while a temporary file is being written,
            // renamed and its folder flushed: that stretch is short beside making the bytes.
            int delayMs = 0;
            if (kill % 2 == 0) {
                delayMs = QRandomGenerator::global()->bounded(5, 201);
                std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            } else {
                QVERIFY(WaitForNewFile(watch, ".page.html.quorvane-save-"));
                std::this_thread::sleep_for(
                    std::chrono::microseconds(QRandomGenerator::global()->bounded(0, 20000)));
            }
            QCOMPARE(::kill(pid, SIGKILL), 0);
            int status = 0;
            QCOMPARE(::waitpid(pid, &status, 0), pid);
            // The child never stops by itself: an exit means one of its saves failed.
            QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL,
                     qPrintable(u"kill %1 after %2 ms"_s.arg(kill).arg(delayMs)));

            const QByteArray now = ReadBytes(path);
            QVERIFY2(now == bytesA || now == bytesB,
                     qPrintable(u"kill %1 after %2 ms: %3 bytes"_s.arg(kill).arg(delayMs).arg(
                         now.size())));
            // At most the one save under way can have left its temporary file.
            const QStringList entries = Entries(dir.path());
            QVERIFY2(entries.size() <= 2, qPrintable(entries.join(u", "_s)));
            for (const QString& e : entries)
                QVERIFY2(e == u"page.html"_s || e.startsWith(u".page.html.quorvane-save-"_s),
                         qPrintable(e));
            leftovers += int(entries.size()) - 1;

            // The next save works and removes what the killed one left.
            onDiskIsA = now != bytesA;
            WriteTextFile(path, onDiskIsA ? a : b);
            QCOMPARE(ReadBytes(path), onDiskIsA ? bytesA : bytesB);
            QCOMPARE(Entries(dir.path()), QStringList{u"page.html"_s});
        }
        qInfo("%d of %d kills cut a save short", leftovers, kKills);
    }
};

QTEST_GUILESS_MAIN(TestCrashSave)
#include "tst_crashsave.moc"
