#pragma once

#include <QString>

class QWidget;

namespace platform {

// Modal message boxes: the error icon, one OK button, a title and a text.
// Tests put a recording one in its place, so no test waits on a window.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void showError(QWidget *parent, const QString &title, const QString &text) = 0;
};

// The real one, a QMessageBox that reads right to left.
class WidgetMessageBoxes final : public MessageBoxes
{
public:
    void showError(QWidget *parent, const QString &title, const QString &text) override;
};

} // namespace platform
