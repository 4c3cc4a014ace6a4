#include "advancedsearch.h"

#include "category.h"
#include "dataset.h"
#include "errorreport.h"
#include "statements.h"
#include "tmain.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

const data::Category &advancedRow()
{
    return *data::categoryByKey(QStringLiteral("tovrin"));
}

} // namespace

AdvancedSearch::AdvancedSearch(Tmain &main, const Controls &controls)
    : QObject(&main)
    , m_main(main)
    , m_controls(controls)
{
    connect(controls.open, &QAbstractButton::clicked, this, &AdvancedSearch::SpeedButton8Click);
    connect(controls.search, &QAbstractButton::clicked, this, &AdvancedSearch::SpeedButton9Click);
    connect(controls.cancel, &QAbstractButton::clicked, this, &AdvancedSearch::SpeedButton10Click);
}

void AdvancedSearch::SpeedButton8Click()
{
    m_main.showViewSet(advancedRow());
}

void AdvancedSearch::SpeedButton9Click()
{
    const QString &prefix = m_controls.inQuestions->isChecked() ? data::QuestionSearchPrefix : data::AnswerSearchPrefix;
    // Used as typed, blanks and all; only an empty box does nothing.
    const QString typed = m_controls.text->text();
    if (typed.isEmpty())
        return;

    data::Dataset &query = m_main.dataset(advancedRow());
    query.clearSql();
    query.close();
    query.addSql(data::likeStatement(prefix, typed));
    QString error;
    if (!query.open(&error)) {
        // The query stays closed with its new text; the views show nothing
        // until a later search opens it.
        m_main.errorReport().report(error);
        return;
    }
    m_main.showViewSet(advancedRow());
}

void AdvancedSearch::SpeedButton10Click()
{
    m_main.switchCategory(data::categories().constFirst());
}
