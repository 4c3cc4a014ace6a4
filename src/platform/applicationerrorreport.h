#pragma once

#include "errorreport.h"

namespace platform {

class MessageBoxes;

// The application's error report: a modal box with the error icon and one
// OK button, titled with the application title ("Sorvanel"), whose text is
// the message with the full-stop rule applied. The program goes on after it.
class ApplicationErrorReport final : public data::ErrorReport
{
public:
    explicit ApplicationErrorReport(MessageBoxes *messages);
    void report(const QString &message) override;

private:
    MessageBoxes *m_messages;
};

} // namespace platform
