// The main block: prepares the platform, creates the entry window and then
// the main window (whose creation opens the collection), shows the entry
// window and runs the event loop until the entry window closes. The windows
// are destroyed in the reverse order of their creation.

#include "applicationerrorreport.h"
#include "messageboxes.h"
#include "platform.h"
#include "shell.h"
#include "tform2.h"
#include "tmain.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varostel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Sorvanel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("varostel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/varostel/varostel.svg")));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    // The entry window alone ends the program: closing the main window only
    // hides it, and an error box closing before the entry window shows must
    // not end anything.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::DesktopShell shell;
    platform::WidgetMessageBoxes messages;
    platform::ApplicationErrorReport report(&messages);
    const platform::Platform platform{&shell, &messages};

    TForm2 form2(platform);
    Tmain main(platform, report);
    form2.setMainWindow(&main);
    QObject::connect(&form2, &TForm2::closed, &app, &QCoreApplication::quit);

    form2.show();
    return app.exec();
}
