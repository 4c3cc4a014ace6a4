#include "recordbuttons.h"

#include "category.h"
#include "dataset.h"
#include "errorreport.h"
#include "tmain.h"
#include "viewset.h"

#include <QAbstractButton>
#include <QPlainTextEdit>

RecordButtons::RecordButtons(Tmain &window, const Buttons &buttons, platform::FontDialogs *fonts)
    : QObject(&window)
    , m_window(window)
    , m_fonts(fonts)
    , m_choices(data::categories().size())
{
    connect(buttons.first, &QAbstractButton::clicked, this, &RecordButtons::SpeedButton3Click);
    connect(buttons.prior, &QAbstractButton::clicked, this, &RecordButtons::SpeedButton1Click);
    connect(buttons.next, &QAbstractButton::clicked, this, &RecordButtons::SpeedButton2Click);
    connect(buttons.last, &QAbstractButton::clicked, this, &RecordButtons::SpeedButton4Click);
    connect(buttons.settings, &QAbstractButton::clicked, this, &RecordButtons::SpeedButton7Click);
}

void RecordButtons::SpeedButton3Click()
{
    move(&data::Dataset::first);
}

void RecordButtons::SpeedButton1Click()
{
    move(&data::Dataset::prior);
}

void RecordButtons::SpeedButton2Click()
{
    move(&data::Dataset::next);
}

void RecordButtons::SpeedButton4Click()
{
    move(&data::Dataset::last);
}

void RecordButtons::move(bool (data::Dataset::*step)(QString *))
{
    QString error;
    if (!(m_window.dataset(m_window.showingCategory()).*step)(&error))
        m_window.errorReport().report(error);
}

void RecordButtons::SpeedButton7Click()
{
    const data::Category &category = m_window.showingCategory();
    platform::FontChoice &choice = m_choices[int(&category - data::categories().constData())];
    if (!m_fonts || !m_fonts->choose(&m_window, category.fontDialog, &choice))
        return;
    // Face, size in points, colour and style go onto this row's answer view
    // only; the view keeps its script, as the font's fallbacks carry Persian.
    QPlainTextEdit *answer = m_window.views(category).answer();
    answer->setFont(choice.font());
    QPalette palette = answer->palette();
    const QColor colour = choice.color.isValid() ? choice.color : m_window.palette().color(QPalette::WindowText);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, colour);
    answer->setPalette(palette);
}
