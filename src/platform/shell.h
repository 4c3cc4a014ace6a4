#pragma once

#include <QString>

namespace platform {

// The desktop's "open": hands a web address to the user's browser. The result
// is not looked at. Tests put a recording one in its place.
class Shell
{
public:
    virtual ~Shell() = default;
    virtual void open(const QString &address) = 0;
};

// The real one, through Qt's desktop services.
class DesktopShell final : public Shell
{
public:
    void open(const QString &address) override;
};

} // namespace platform
