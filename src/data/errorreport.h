#pragma once

#include <QString>

namespace data {

// Where every failure goes: the application's error report. The windows show
// it as a message box; tests record the texts.
class ErrorReport
{
public:
    virtual ~ErrorReport() = default;
    virtual void report(const QString &message) = 0;
};

// The text the application's report shows for a message: a full stop is
// added when the message is not empty and its last character has a higher
// code than the full stop.
inline QString withFullStop(const QString &message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

} // namespace data
