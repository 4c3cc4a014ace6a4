#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {

// One row of the category table: everything per-category behaviour needs,
// the data side (tables, components, default statement) and the view side
// (caption, marker place, dialogs, view names). Every per-category step of
// the program reads this table instead of naming a category itself.
struct Category
{
    QString key;              // kolliyat, ..., tovrin
    QString table;            // the table the query reads
    QString companion;        // the row source its companion dataset opens
    QString companionDataset; // ADOTable1..ADOTable7
    QString companionSource;  // DataSource1..DataSource7
    QString query;            // Qkolliyat, ..., qtovrin
    QString querySource;      // Dqkolliyat, ..., Dqtovrin
    QString captionLabel;     // empty for tovrin
    QString caption;
    int markerTop = -1;       // -1 for tovrin
    QString findDialog;       // empty for tovrin
    QString fontDialog;

    QStringList defaultSql() const;
    QString titleView() const { return QStringLiteral("DBText") + key; }
    QString questionView() const { return QStringLiteral("Memopo") + key; }
    QString answerView() const { return QStringLiteral("Memopa") + key; }
    QString footnoteView() const;
    QString grid() const { return QStringLiteral("DB") + key; }
    bool isAdvancedSearch() const { return captionLabel.isEmpty(); }
};

// The seven rows in the order the window declares and opens them: the six
// subject categories, then tovrin, the advanced search's results.
const QList<Category> &categories();
const Category *categoryByKey(const QString &key);

// The four text fields of a record.
inline const QString TitleField = QStringLiteral("kholase");
inline const QString QuestionField = QStringLiteral("porsesh");
inline const QString AnswerField = QStringLiteral("pasokh");
inline const QString FootnoteField = QStringLiteral("pavaraghi");

} // namespace data
