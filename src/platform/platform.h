#pragma once

namespace platform {

class FontDialogs;
class MessageBoxes;
class Shell;

// The platform pieces the windows call on, each behind an interface of ours.
// The program passes the real ones; tests pass recording ones.
struct Platform
{
    Shell *shell = nullptr;
    MessageBoxes *messages = nullptr;
    FontDialogs *fonts = nullptr;
};

} // namespace platform
