#include "applicationerrorreport.h"

#include "messageboxes.h"

#include <QApplication>

namespace platform {

ApplicationErrorReport::ApplicationErrorReport(MessageBoxes *messages)
    : m_messages(messages)
{
}

void ApplicationErrorReport::report(const QString &message)
{
    m_messages->showError(QApplication::activeWindow(), QApplication::applicationDisplayName(), data::withFullStop(message));
}

} // namespace platform
