#include "datasets.h"

#include "category.h"
#include "connection.h"
#include "dataset.h"
#include "errorreport.h"

namespace data {

Datasets::Datasets(QObject *parent)
    : QObject(parent)
    , m_connection(new Connection(this))
{
    for (const Category &c : categories()) {
        auto *companion = new Dataset(m_connection, c.companionDataset, this);
        companion->setTableName(c.companion);
        m_companions.append(companion);

        auto *query = new Dataset(m_connection, c.query, this);
        for (const QString &line : c.defaultSql())
            query->addSql(line);
        query->setBoundFields({{c.titleView(), TitleField},
                               {c.questionView(), QuestionField},
                               {c.answerView(), AnswerField},
                               {c.footnoteView(), FootnoteField},
                               {c.grid(), TitleField}});
        m_queries.append(query);
    }
}

Dataset *Datasets::query(const Category &category) const
{
    return m_queries.at(int(&category - categories().constData()));
}

Dataset *Datasets::companion(const Category &category) const
{
    return m_companions.at(int(&category - categories().constData()));
}

void Datasets::openAll(ErrorReport &report)
{
    QString error;
    if (!m_connection->open(&error))
        report.report(error);
    for (int i = 0; i < m_queries.size(); ++i) {
        for (Dataset *dataset : {m_companions.at(i), m_queries.at(i)}) {
            if (!dataset->open(&error))
                report.report(error);
        }
    }
}

} // namespace data
