#include "messageboxes.h"

#include <QMessageBox>

namespace platform {

void WidgetMessageBoxes::showError(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace platform
