#pragma once

#include <QFrame>

#include <array>

class Picture;

namespace platform {
class Shell;
}

// The answering-centres panel `Panel2` of the entry window: eight centres,
// each with its name, a web link and a logo. Moving the pointer over a link
// shows that centre's logo, which stays after the pointer leaves and while
// the panel is hidden; a click on a link asks the shell to open the centre's
// address. The panel's exit button hides it.
class CentresPanel final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CentresPanel)

public:
    explicit CentresPanel(platform::Shell *shell, QWidget *parent = nullptr);

    static constexpr int EntryCount = 8;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Shows the logo of entry `entry` (1-based) and hides the other seven.
    void showLogo(int entry);

    platform::Shell *m_shell;
    std::array<Picture *, EntryCount> m_logos{};
    QWidget *m_exit = nullptr;
};
