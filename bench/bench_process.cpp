// Whole-process start-up: the real program and a bare Qt program (bare_editor) each started as
// a user starts them, on a 20 MB page and with no page, under an X server of our own (Xvfb).
// Timed from the start of the process until the X server maps its main window, watched from
// outside through the X protocol (the program has no switch to report it itself). The real
// program opens the command-line page, scans it and fills the navigator before it shows its
// window, so "mapped" comes after "navigator filled". Also recorded: when the process went idle
// after that (its CPU time stopped growing: the first paint is done) and its peak resident
// memory until then. The start with no page is also timed in rounds, the programs in turn, with
// medians: on a shared machine that figure is small enough for drift to move it. A third program
// joins those rounds: bare_editor showing the real about window as its splash first, which
// parts what the required splash costs from what the main window costs.
#include "bench/userview.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

using namespace Qt::StringLiterals;
using namespace userview;

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Starts a program with the given environment changes; output goes to the log file.
pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            const std::string& log) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string key = entry.substr(0, entry.find('='));
        if (!env.count(key) && key != "WAYLAND_DISPLAY")
            envStrings.push_back(entry);
    }
    for (const auto& [key, value] : env)
        envStrings.push_back(key + "=" + value);
    std::vector<char*> envp, args;
    for (std::string& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy = argv;
    for (std::string& s : argCopy)
        args.push_back(s.data());
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// An X server for the run, on a display number it picks itself.
class TXServer {
public:
    bool Start() {
        const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
        if (xvfb.isEmpty()) {
            FProblem = "Xvfb is not installed";
            return false;
        }
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        const std::string log = FLogDir.filePath(u"xvfb.log"_s).toStdString();
        FPid = Spawn({xvfb.toStdString(), "-displayfd", std::to_string(fds[1]), "-screen", "0",
                      "1280x900x24", "-nolisten", "tcp"},
                     {}, log);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        const double until = NowMs() + 15000;
        while (FPid > 0 && NowMs() < until && number.find('\n') == std::string::npos) {
            if (poll(&p, 1, 100) > 0) {
                char buf[32];
                const ssize_t n = read(fds[0], buf, sizeof buf);
                if (n <= 0)
                    break;
                number.append(buf, size_t(n));
            }
        }
        close(fds[0]);
        if (number.find('\n') == std::string::npos) {
            FProblem = "Xvfb did not start";
            return false;
        }
        number.resize(number.find('\n'));
        Display = std::string(1, ':').append(number);
        return true;
    }
    ~TXServer() {
        if (FPid > 0) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
        }
    }
    std::string Display;
    std::string FProblem;

private:
    QTemporaryDir FLogDir;
    pid_t FPid = -1;
};

// Watches the X server for top-level windows being mapped.
class TMapWatch {
public:
    explicit TMapWatch(const std::string& display) {
        int screen = 0;
        FConnection = xcb_connect(display.c_str(), &screen);
        if (xcb_connection_has_error(FConnection))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(FConnection));
        for (int i = 0; i < screen; ++i)
            xcb_screen_next(&it);
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConnection, it.data->root, XCB_CW_EVENT_MASK, &mask);
        FNetWmName = Atom("_NET_WM_NAME");
        FUtf8 = Atom("UTF8_STRING");
        xcb_flush(FConnection);
        FOk = true;
    }
    ~TMapWatch() {
        if (FConnection)
            xcb_disconnect(FConnection);
    }
    bool Ok() const { return FOk; }

    // Waits until a window with this title is mapped, the process ends or the time is up.
    bool WaitMapped(const std::string& title, pid_t pid, double timeoutMs) {
        const double until = NowMs() + timeoutMs;
        while (NowMs() < until) {
            while (xcb_generic_event_t* ev = xcb_poll_for_event(FConnection)) {
                const uint8_t type = ev->response_type & 0x7f;
                xcb_window_t window = XCB_NONE;
                if (type == XCB_MAP_NOTIFY) {
                    window = reinterpret_cast<xcb_map_notify_event_t*>(ev)->window;
                    if (FFirstMappedMs == 0)
                        FFirstMappedMs = NowMs();
                    // A title set only after the window was mapped still counts.
                    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
                    xcb_change_window_attributes(FConnection, window, XCB_CW_EVENT_MASK, &mask);
                    xcb_flush(FConnection);
                } else if (type == XCB_PROPERTY_NOTIFY) {
                    window = reinterpret_cast<xcb_property_notify_event_t*>(ev)->window;
                }
                std::free(ev);
                if (window != XCB_NONE && Title(window) == title)
                    return true;
            }
            if (xcb_connection_has_error(FConnection))
                return false;
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                return false;
            pollfd p{xcb_get_file_descriptor(FConnection), POLLIN, 0};
            poll(&p, 1, 5);
        }
        return false;
    }

    // When the first top-level window of this start was mapped (the splash, if the program
    // shows one); 0 when none was.
    double FirstMappedMs() const { return FFirstMappedMs; }

    // Drops what the last run's windows reported, so only the next start's windows count.
    void Reset() {
        FFirstMappedMs = 0;
        xcb_flush(FConnection);
        while (xcb_generic_event_t* ev = xcb_poll_for_event(FConnection))
            std::free(ev);
    }

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            FConnection, xcb_intern_atom(FConnection, 0, uint16_t(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
        std::free(reply);
        return atom;
    }

    std::string Title(xcb_window_t window) {
        std::string title;
        for (auto [property, type] :
             {std::pair{FNetWmName, FUtf8},
              std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
            xcb_get_property_reply_t* reply = xcb_get_property_reply(
                FConnection, xcb_get_property(FConnection, 0, window, property, type, 0, 256),
                nullptr);
            if (reply) {
                title.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                             size_t(xcb_get_property_value_length(reply)));
                std::free(reply);
            }
            if (!title.empty())
                break;
        }
        return title;
    }

    xcb_connection_t* FConnection = nullptr;
    xcb_atom_t FNetWmName = XCB_NONE, FUtf8 = XCB_NONE;
    bool FOk = false;
    double FFirstMappedMs = 0;
};

// The process's CPU time so far, in clock ticks (utime + stime of /proc/<pid>/stat).
long long CpuTicks(pid_t pid) {
    QFile f(u"/proc/%1/stat"_s.arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // The fields after the command name, which may hold blanks, start after the last ')'.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return fields[11].toLongLong() + fields[12].toLongLong();
}

// The process's peak resident memory in MB (VmHWM). Not ru_maxrss: a spawned child starts its
// count from the high-water mark of the process that spawned it, here the benchmark itself.
double PeakMemoryMb(pid_t pid) {
    QFile f(u"/proc/%1/status"_s.arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// When the process last used CPU time, once it has used none for `quietMs`.
double IdleSince(pid_t pid, double quietMs, double timeoutMs) {
    long long ticks = CpuTicks(pid);
    double changed = NowMs();
    const double until = changed + timeoutMs;
    while (NowMs() < until && NowMs() - changed < quietMs) {
        usleep(5000);
        const long long now = CpuTicks(pid);
        if (now != ticks) {
            ticks = now;
            changed = NowMs();
        }
    }
    return changed;
}

struct TEnvironment {
    TXServer* X = nullptr;
    TMapWatch* Watch = nullptr;
    QString Home;
    QString Runtime;
    QString Log;
    QString Page;
} gEnv;

enum TProgram { prQuorvane, prBare, prBareSplash };

// One start of a program (on the page, if any) until its window is mapped, then until it is
// idle; the program is ended and its peak memory taken.
struct TStart {
    bool Ok = false;
    double Ms = 0;      // to the window mapped (or to its own exit)
    double FirstMs = 0; // to the first window of the program mapped
    double IdleMs = 0;  // to the process idle after its first paint; 0 when not waited for
    double PeakMb = 0;
};

TStart StartOnce(TProgram program, bool withPage, bool quitItself) {
    std::vector<std::string> argv{program == prQuorvane ? QUORVANE_BINARY
                                  : program == prBare   ? BARE_EDITOR_BINARY
                                                        : BARE_SPLASH_BINARY};
    if (withPage)
        argv.push_back(gEnv.Page.toStdString());
    std::map<std::string, std::string> env{{"DISPLAY", gEnv.X->Display},
                                           {"QT_QPA_PLATFORM", "xcb"},
                                           {"QUORVANE_HOME", gEnv.Home.toStdString()},
                                           {"XDG_RUNTIME_DIR", gEnv.Runtime.toStdString()}};
    if (quitItself)
        env.emplace("BARE_EDITOR_QUIT_AFTER_SHOWN", "1");
    const std::string title = program == prQuorvane ? "Quorvane" : "Bare editor";
    TStart r;
    gEnv.Watch->Reset();
    const double start = NowMs();
    const pid_t pid = Spawn(argv, env, gEnv.Log.toStdString());
    if (pid <= 0)
        return r;
    double end = 0;
    if (quitItself) {
        int status = 0;
        waitpid(pid, &status, 0);
        end = NowMs();
        r.Ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    } else {
        r.Ok = gEnv.Watch->WaitMapped(title, pid, 120000);
        end = NowMs();
        r.FirstMs = gEnv.Watch->FirstMappedMs() - start;
        if (r.Ok) {
            r.IdleMs = IdleSince(pid, 300, 20000) - start;
            r.PeakMb = PeakMemoryMb(pid);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    r.Ms = end - start;
    if (!r.Ok) {
        QFile log(gEnv.Log);
        if (log.open(QIODevice::ReadOnly))
            std::fprintf(stderr, "%s\n", log.readAll().right(2000).constData());
    }
    return r;
}

bool HaveWatch(benchmark::State& state) {
    if (!gEnv.Watch)
        state.SkipWithError(gEnv.X->FProblem.empty() ? "no X server" : gEnv.X->FProblem.c_str());
    return gEnv.Watch != nullptr;
}

void StartCase(benchmark::State& state, TProgram program, bool withPage, bool quitItself) {
    if (!HaveWatch(state))
        return;
    double peakMb = 0, idleMs = 0;
    int idleRounds = 0;
    for (auto _ : state) {
        const TStart r = StartOnce(program, withPage, quitItself);
        if (!r.Ok) {
            state.SkipWithError("the window was not shown");
            break;
        }
        if (r.IdleMs > 0) {
            idleMs += r.IdleMs;
            ++idleRounds;
        }
        peakMb = qMax(peakMb, r.PeakMb);
        state.SetIterationTime(r.Ms / 1e3);
    }
    if (peakMb > 0)
        state.counters["peak_rss_MB"] = peakMb;
    if (idleRounds > 0)
        state.counters["to_idle_ms"] = idleMs / idleRounds;
}

// The programs started in turn, the one first rotating, so a machine whose speed drifts during
// the run (a shared virtual machine does) weighs on all alike; each program's figure is the
// median of its starts, which one slow start does not move.
void PairedStartCase(benchmark::State& state, bool withPage) {
    if (!HaveWatch(state))
        return;
    std::vector<double> quorvane, bare, bareSplash, quorvaneFirstWindow;
    std::array order{prQuorvane, prBare, prBareSplash};
    for (auto _ : state) {
        double round = 0;
        for (TProgram p : order) {
            const TStart r = StartOnce(p, withPage, false);
            if (!r.Ok) {
                state.SkipWithError("the window was not shown");
                return;
            }
            if (p == prQuorvane) {
                quorvane.push_back(r.Ms);
                quorvaneFirstWindow.push_back(r.FirstMs);
            } else {
                (p == prBare ? bare : bareSplash).push_back(r.Ms);
            }
            round += r.Ms;
        }
        std::rotate(order.begin(), order.begin() + 1, order.end());
        state.SetIterationTime(round / 1e3);
    }
    state.counters["quorvane_median_ms"] = Median(quorvane);
    state.counters["bare_median_ms"] = Median(bare);
    state.counters["bare_splash_median_ms"] = Median(bareSplash);
    // The bare program's first window is its main window.
    state.counters["quorvane_first_window_median_ms"] = Median(quorvaneFirstWindow);
}

void Register(const char* name, int rounds, TProgram program, bool withPage,
              bool quitItself = false) {
    benchmark::RegisterBenchmark(
        name, [=](benchmark::State& s) { StartCase(s, program, withPage, quitItself); })
        ->UseManualTime()
        ->Iterations(rounds)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home, runtime, pages, logs;
    QFile::setPermissions(runtime.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    gEnv.Home = home.path();
    gEnv.Runtime = runtime.path();
    gEnv.Log = logs.filePath(u"programs.log"_s);

    TXServer x;
    gEnv.X = &x;
    std::unique_ptr<TMapWatch> watch;
    if (x.Start()) {
        watch = std::make_unique<TMapWatch>(x.Display);
        if (watch->Ok())
            gEnv.Watch = watch.get();
        else
            x.FProblem = "cannot connect to Xvfb";
    }
    if (gEnv.Watch)
        gEnv.Page =
            WritePage(pages.path(), u"catalogue_20mb.html"_s, CataloguePage(20 * kMB, 40000));

    Register("quorvane_start_to_mapped/20MB_page", 3, prQuorvane, true);
    Register("bare_editor_start_to_mapped/20MB_page", 3, prBare, true);
    Register("bare_editor_start_to_own_exit/20MB_page", 2, prBare, true, true);
    Register("quorvane_start_to_mapped/no_page", 5, prQuorvane, false);
    Register("bare_editor_start_to_mapped/no_page", 5, prBare, false);
    benchmark::RegisterBenchmark("paired_start_to_mapped/no_page",
                                 [](benchmark::State& s) { PairedStartCase(s, false); })
        ->UseManualTime()
        ->Iterations(15)
        ->Unit(benchmark::kMillisecond);

    TCollectingReporter reporter;
    if (!RunCases(&argc, argv, &reporter))
        return 1;
    if (!gEnv.Watch)
        std::printf("\nwhole-process figures not measured: %s\n", x.FProblem.c_str());
    PrintTable(
        reporter,
        "whole-process (from the start of the process until the X server maps its main "
        "window, watched from outside; the real program has filled the navigator before it "
        "shows; anchor: bare_editor, a QMainWindow with QTabBar and QPlainTextEdit showing the "
        "same file)",
        {{"start on a 20 MB page (40000 links) to window mapped",
          "quorvane_start_to_mapped/20MB_page", "bare_editor_start_to_mapped/20MB_page"},
         {"start on a 20 MB page to process idle after the first paint",
          "quorvane_start_to_mapped/20MB_page", "bare_editor_start_to_mapped/20MB_page",
          "to_idle_ms"},
         {"start on a 20 MB page: peak resident memory", "quorvane_start_to_mapped/20MB_page",
          "bare_editor_start_to_mapped/20MB_page", "peak_rss_MB", "MB"},
         {"start with no page to window mapped", "quorvane_start_to_mapped/no_page",
          "bare_editor_start_to_mapped/no_page"},
         {"start with no page to window mapped, paired starts, medians",
          "paired_start_to_mapped/no_page", "paired_start_to_mapped/no_page", "quorvane_median_ms",
          "ms", "bare_median_ms"},
         {"start with no page to the first window mapped (the splash), paired, medians",
          "paired_start_to_mapped/no_page", "paired_start_to_mapped/no_page",
          "quorvane_first_window_median_ms", "ms", "bare_median_ms"},
         {"the bare program with the about window as its splash first, paired, medians",
          "paired_start_to_mapped/no_page", "paired_start_to_mapped/no_page",
          "bare_splash_median_ms", "ms", "bare_median_ms"},
         {"the real program / the bare one with the splash (the main window's own part)",
          "paired_start_to_mapped/no_page", "paired_start_to_mapped/no_page", "quorvane_median_ms",
          "ms", "bare_splash_median_ms"},
         {"start with no page to process idle", "quorvane_start_to_mapped/no_page",
          "bare_editor_start_to_mapped/no_page", "to_idle_ms"},
         {"start with no page: peak resident memory", "quorvane_start_to_mapped/no_page",
          "bare_editor_start_to_mapped/no_page", "peak_rss_MB", "MB"},
         {"cross-check, bare: mapped (watched) / own exit after 1st paint",
          "bare_editor_start_to_mapped/20MB_page", "bare_editor_start_to_own_exit/20MB_page"}});
    return 0;
}
