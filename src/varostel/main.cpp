// The main block: prepares the platform, creates the entry window and then
// the main window (whose creation opens the collection), shows the entry
// window and runs the event loop until the entry window closes. The windows
// are destroyed in the reverse order of their creation.
//
// The main window is created, and the window icon set, as soon as the entry
// window's first paint has reached the screen, not before the entry window
// shows: the reader sees the program at once, and the reports of a
// collection that cannot be opened show over the entry window. Nothing can
// reach the main window earlier: the entry window's links do nothing until it
// exists, and it is created before any input that follows the first paint.

#include "applicationerrorreport.h"
#include "messageboxes.h"
#include "platform.h"
#include "shell.h"
#include "tform2.h"
#include "tmain.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

namespace {

// Runs a piece of work once, as soon as the event loop is free after the
// window's first paint, or after a second at the latest should the window
// never be painted (a minimised start).
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget *window, std::function<void()> work)
        : QObject(window)
        , m_work(std::move(work))
    {
        window->installEventFilter(this);
        QTimer::singleShot(1000, this, &AfterFirstPaint::run);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, &AfterFirstPaint::run);
        }
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        const std::function<void()> work = std::exchange(m_work, nullptr);
        work();
    }

    std::function<void()> m_work;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varostel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Sorvanel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("varostel"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // The entry window alone ends the program: closing the main window only
    // hides it, and closing an error box ends nothing.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::DesktopShell shell;
    platform::WidgetMessageBoxes messages;
    platform::ApplicationErrorReport report(&messages);
    const platform::Platform platform{&shell, &messages};

    TForm2 form2(platform);
    std::unique_ptr<Tmain> main;
    new AfterFirstPaint(&form2, [&] {
        // Drawing the icon's sizes would hold the first paint back too.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/varostel/varostel.svg")));
        main = std::make_unique<Tmain>(platform, report);
        form2.setMainWindow(main.get());
    });
    QObject::connect(&form2, &TForm2::closed, &app, &QCoreApplication::quit);

    form2.show();
    return app.exec();
}
