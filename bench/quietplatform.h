#pragma once

#include "errorreport.h"
#include "fontchoice.h"
#include "shell.h"

#include <QtGlobal>

// Stand-ins for the platform in the window benchmarks: nothing opens, no
// dialog waits, and a report only goes to the log.
namespace bench {

class NoShell final : public platform::Shell
{
public:
    void open(const QString &) override {}
};

class NoFonts final : public platform::FontDialogs
{
public:
    bool choose(QWidget *, const QString &, platform::FontChoice *) override { return false; }
};

class WarnReport final : public data::ErrorReport
{
public:
    void report(const QString &message) override { qWarning("report: %s", qPrintable(message)); }
};

} // namespace bench
