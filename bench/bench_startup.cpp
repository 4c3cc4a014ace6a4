// Start-up time: from launching build/varostel, in a folder holding the
// sample collection, until its entry window's first paint is on a virtual
// screen (Xvfb), seen from outside through the X server; and, as a second
// figure, until that window is mapped. The reference is a bare Qt window of
// the same size and title, started and waited for the same way. A third
// figure is that bare window showing one label of Persian: the part of the
// start-up any window with text pays, against the same reference. The
// programs are launched in turn so all meet the same machine.
//   bench startup_ms VALUE ms ratio R
//   bench startup_mapped_ms VALUE ms ratio R
//   bench startup_label_window_ms VALUE ms ratio R

#include "benchreport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

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

// The moments, in milliseconds from launch, when the window named Title was
// mapped and when its first paint reached the screen; negative if not seen.
struct Moments
{
    double mapped = -1;
    double painted = -1;
};

// Follows the windows the launched program creates: each is watched for
// damage from its creation on, so no paint can come before the watch does.
// The first damage after the window is mapped is its first paint: the
// windows have no background of the server's to fill in.
Moments waitForPaintedWindow(Display *display, int damageEventBase, const QElapsedTimer &clock)
{
    std::vector<Damage> damages;
    Window shown = None;
    Moments moments;
    const int fd = ConnectionNumber(display);
    while (clock.elapsed() < TimeoutMs && moments.painted < 0) {
        while (XPending(display) && moments.painted < 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == CreateNotify) {
                damages.push_back(XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles));
                XFlush(display);
            } else if (event.type == MapNotify && shown == None && windowName(display, event.xmap.window) == Title) {
                shown = event.xmap.window;
                moments.mapped = double(clock.nsecsElapsed()) / 1e6;
            } else if (event.type == damageEventBase + XDamageNotify) {
                const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
                if (shown != None && damage.drawable == shown)
                    moments.painted = double(clock.nsecsElapsed()) / 1e6;
            }
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 2000};
        select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    XErrorHandler previous = XSetErrorHandler([](Display *, XErrorEvent *) { return 0; }); // windows already gone
    for (Damage damage : damages)
        XDamageDestroy(display, damage);
    XSync(display, False);
    XSetErrorHandler(previous);
    return moments;
}

// When the program's entry window was mapped and painted, from its launch.
Moments launch(Display *display, int damageEventBase, const QString &program, const QString &folder,
               const QProcessEnvironment &env, const QStringList &arguments = {})
{
    XSync(display, True); // forget what earlier runs left in the queue
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const Moments moments = waitForPaintedWindow(display, damageEventBase, clock);
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return moments;
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
    int damageEventBase = 0;
    int damageErrorBase = 0;
    if (!XDamageQueryExtension(display, &damageEventBase, &damageErrorBase)) {
        std::fprintf(stderr, "bench_startup: the virtual screen has no DAMAGE extension\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), displayName);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("runtime")));
    const QString varostel = QStringLiteral(VAROSTEL_PROGRAM);
    const QString bareWindow = QStringLiteral(BARE_WINDOW_PROGRAM);
    const QStringList withLabel{QStringLiteral("--label")};

    // One launch of each first, unmeasured, so all start from a warm cache.
    launch(display, damageEventBase, varostel, folder.path(), env);
    launch(display, damageEventBase, bareWindow, folder.path(), env);
    launch(display, damageEventBase, bareWindow, folder.path(), env, withLabel);

    std::vector<Moments> program;
    std::vector<Moments> bare;
    std::vector<Moments> labelled;
    for (int i = 0; i < Runs; ++i) {
        program.push_back(launch(display, damageEventBase, varostel, folder.path(), env));
        bare.push_back(launch(display, damageEventBase, bareWindow, folder.path(), env));
        labelled.push_back(launch(display, damageEventBase, bareWindow, folder.path(), env, withLabel));
    }
    XCloseDisplay(display);
    server.terminate();
    server.waitForFinished(5000);

    const auto times = [](const std::vector<Moments> &runs, double Moments::*moment) {
        std::vector<double> result;
        for (const Moments &run : runs)
            result.push_back(run.*moment);
        return result;
    };
    for (const auto *runs : {&program, &bare, &labelled}) {
        const std::vector<double> painted = times(*runs, &Moments::painted);
        if (*std::min_element(painted.begin(), painted.end()) < 0) {
            std::fprintf(stderr, "bench_startup: a window was not painted within %d ms\n", TimeoutMs);
            return 1;
        }
    }
    const double bareMs = median(times(bare, &Moments::painted));
    const double ms = median(times(program, &Moments::painted));
    bench::report(QStringLiteral("startup_ms"), ms, QStringLiteral("ms"), ms / bareMs);
    const double mappedMs = median(times(program, &Moments::mapped));
    bench::report(QStringLiteral("startup_mapped_ms"), mappedMs, QStringLiteral("ms"), mappedMs / median(times(bare, &Moments::mapped)));
    const double labelledMs = median(times(labelled, &Moments::painted));
    bench::report(QStringLiteral("startup_label_window_ms"), labelledMs, QStringLiteral("ms"), labelledMs / bareMs);
    return 0;
}
