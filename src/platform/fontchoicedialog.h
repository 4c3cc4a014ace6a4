#pragma once

#include "fontchoice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace platform {

// The font dialog: face list, style, size, underline, strikeout, one of the
// sixteen classic colours, and a Persian sample that shows the choice as it
// is made. Right to left, modal.
class FontChoiceDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FontChoiceDialog)

public:
    explicit FontChoiceDialog(const FontChoice &initial, QWidget *parent = nullptr);

    FontChoice choice() const;

private:
    void updateSample();

    QListWidget *m_families;
    QComboBox *m_style;
    QSpinBox *m_size;
    QCheckBox *m_underline;
    QCheckBox *m_strikeout;
    QComboBox *m_color;
    QLabel *m_sample;
};

} // namespace platform
