// Start-up time: from launching build/varostel, in a folder holding the
// sample collection, until its entry window is mapped on a virtual screen
// (Xvfb), seen from outside through the X server. The reference is a bare Qt
// window of the same size and title started and waited for the same way;
// the two are launched in turn so both meet the same machine.
//   bench startup_ms VALUE ms ratio R

#include "benchreport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <sys/select.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Runs = 10;
constexpr int TimeoutMs = 20000;
const QByteArray Title = "Sorvanel";

QByteArray windowName(Display *display, Window window)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    for (Atom property : {netWmName, Atom(XA_WM_NAME)}) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 256, False, AnyPropertyType, &type, &format, &items,
                               &after, &data) == Success && data) {
            const QByteArray name(reinterpret_cast<const char *>(data), int(items));
            XFree(data);
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

// Waits for a top-level window named Title to be mapped; false on timeout.
bool waitForMappedWindow(Display *display, const QElapsedTimer &clock)
{
    const int fd = ConnectionNumber(display);
    while (clock.elapsed() < TimeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && windowName(display, event.xmap.window) == Title)
                return true;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 20000};
        select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    return false;
}

// Milliseconds from launch to the mapped window, or a negative number.
double launch(Display *display, const QString &program, const QString &folder, const QProcessEnvironment &env)
{
    XSync(display, True); // forget what earlier runs left in the queue
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    const bool shown = waitForMappedWindow(display, clock);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return shown ? ms : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        std::fprintf(stderr, "bench_startup: Xvfb is not installed; skipped\n");
        return 0;
    }
    QTemporaryDir folder;
    if (!folder.isValid() || !QFile::copy(QStringLiteral(VAROSTEL_SOURCE_DIR "/data/sample/varostel.mdb"),
                                          folder.filePath(QStringLiteral("varostel.mdb")))) {
        std::fprintf(stderr, "bench_startup: cannot prepare the sample folder\n");
        return 1;
    }
    QDir(folder.path()).mkdir(QStringLiteral("runtime"));
    QFile::setPermissions(folder.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Xvfb picks a free display and writes its number on our pipe.
    QProcess server;
    server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_startup: Xvfb did not start\n");
        return 1;
    }
    const QString displayName = u':' + QString::fromLatin1(server.readLine().trimmed());
    Display *display = XOpenDisplay(displayName.toLatin1().constData());
    if (!display) {
        std::fprintf(stderr, "bench_startup: cannot open display %s\n", qPrintable(displayName));
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), displayName);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("runtime")));

    // One launch of each first, unmeasured, so both start from a warm cache.
    launch(display, QStringLiteral(VAROSTEL_PROGRAM), folder.path(), env);
    launch(display, QStringLiteral(BARE_WINDOW_PROGRAM), folder.path(), env);

    std::vector<double> program;
    std::vector<double> bare;
    for (int i = 0; i < Runs; ++i) {
        program.push_back(launch(display, QStringLiteral(VAROSTEL_PROGRAM), folder.path(), env));
        bare.push_back(launch(display, QStringLiteral(BARE_WINDOW_PROGRAM), folder.path(), env));
    }
    XCloseDisplay(display);
    server.terminate();
    server.waitForFinished(5000);

    if (*std::min_element(program.begin(), program.end()) < 0 || *std::min_element(bare.begin(), bare.end()) < 0) {
        std::fprintf(stderr, "bench_startup: a window did not appear within %d ms\n", TimeoutMs);
        return 1;
    }
    const double ms = median(program);
    bench::report(QStringLiteral("startup_ms"), ms, QStringLiteral("ms"), ms / median(bare));
    return 0;
}
