#pragma once

#include "fontchoice.h"

#include <QList>
#include <QObject>

class QAbstractButton;
class Tmain;

namespace data {
class Dataset;
}

// The five buttons along the bottom of the main window. Four move the
// showing dataset (a category's query, or the advanced results while their
// panel is open) to its first, previous, next or last record; the views
// follow by themselves. The settings button opens the showing row's own font
// dialog and puts a confirmed font on that row's answer view alone. Each row
// keeps its dialog's last confirmed font, starting from MS Sans Serif, 8
// points, the window-text colour.
class RecordButtons final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordButtons)

public:
    struct Buttons
    {
        QAbstractButton *first;    // SpeedButton3
        QAbstractButton *prior;    // SpeedButton1
        QAbstractButton *next;     // SpeedButton2
        QAbstractButton *last;     // SpeedButton4
        QAbstractButton *settings; // SpeedButton7
    };

    RecordButtons(Tmain &window, const Buttons &buttons, platform::FontDialogs *fonts);

private:
    void SpeedButton3Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void SpeedButton7Click();
    void move(bool (data::Dataset::*step)(QString *));

    Tmain &m_window;
    platform::FontDialogs *m_fonts;
    QList<platform::FontChoice> m_choices; // per row of the category table
};
