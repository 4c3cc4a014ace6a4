#pragma once

#include "messageboxes.h"
#include "shell.h"

#include <QStringList>

// The platform as the entry window's tests see it: every address handed to
// the desktop and every message box is written down instead of shown.
class RecordingShell final : public platform::Shell
{
public:
    void open(const QString &address) override { opened << address; }

    QStringList opened;
};

class RecordingMessageBoxes final : public platform::MessageBoxes
{
public:
    void showError(QWidget *, const QString &title, const QString &text) override { shown << title + u'|' + text; }

    QStringList shown;
};
