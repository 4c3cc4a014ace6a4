#pragma once

#include "errorreport.h"
#include "messageboxes.h"
#include "shell.h"

#include <QStringList>

// Stand-ins for the platform that write down what the window asked of them.

class RecordingShell final : public platform::Shell
{
public:
    QStringList opened;
    void open(const QString &address) override { opened.append(address); }
};

class RecordingMessageBoxes final : public platform::MessageBoxes
{
public:
    QStringList texts;
    void showError(QWidget *, const QString &, const QString &text) override { texts.append(text); }
};

class RecordingReport final : public data::ErrorReport
{
public:
    QStringList messages;
    void report(const QString &message) override { messages.append(data::withFullStop(message)); }
};
