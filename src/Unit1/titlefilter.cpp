#include "titlefilter.h"

#include "category.h"
#include "dataset.h"
#include "errorreport.h"
#include "statements.h"
#include "tmain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

TitleFilter::TitleFilter(Tmain &window, QLineEdit *box, QAbstractButton *cancel, QLabel *countCaption)
    : QObject(&window)
    , m_window(window)
    , m_countCaption(countCaption)
{
    // Only the user's own changes filter: typing, deleting, pasting, cutting.
    connect(box, &QLineEdit::textEdited, this, &TitleFilter::Edit1Change);
    connect(cancel, &QAbstractButton::clicked, this, &TitleFilter::SpeedButton5Click);
}

void TitleFilter::Edit1Change(const QString &text)
{
    m_countCaption->show();
    const data::Category &category = m_window.showingCategory();
    if (category.isAdvancedSearch() || text.isEmpty())
        return;
    if (!reopen(data::likeStatement(data::titleFilterPrefix(category.table), text)))
        return;
    int count = 0;
    QString error;
    if (!m_window.dataset(category).recordCount(&count, &error))
        return m_window.errorReport().report(error);
    m_window.setCountText(QString::number(count));
}

void TitleFilter::SpeedButton5Click()
{
    m_countCaption->hide();
    const data::Category &category = m_window.showingCategory();
    if (category.isAdvancedSearch())
        return;
    if (reopen(data::titleCancelStatement(category.table)))
        m_window.setCountText(QString());
}

bool TitleFilter::reopen(const QString &statement)
{
    data::Dataset &query = m_window.dataset(m_window.showingCategory());
    query.clearSql();
    query.close();
    query.addSql(statement);
    QString error;
    if (query.open(&error))
        return true;
    m_window.errorReport().report(error);
    return false;
}
