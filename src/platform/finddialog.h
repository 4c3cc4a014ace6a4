#pragma once

#include <QDialog>

class QLineEdit;

namespace platform {

// The modeless Find dialog: a find text of at most 255 characters, kept from
// one opening to the next, and a find-next button that raises findNext().
// The search always compares exactly and runs downwards, so the whole-word,
// match-case and direction choices are shown as they act (match case on,
// direction down) and cannot be changed: the dialog promises only what the
// search does.
class FindDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FindDialog)

public:
    static constexpr int MaxFindText = 255;

    explicit FindDialog(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);
    // Shows the dialog, or brings it to the front when it is open already.
    void open() override;

signals:
    void findNext();

private:
    QLineEdit *m_text;
};

} // namespace platform
