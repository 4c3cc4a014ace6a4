#include "shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void DesktopShell::open(const QString &address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace platform
