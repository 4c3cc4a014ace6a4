#pragma once

#include <QString>

namespace data {

// The one place where text the user typed becomes SQL. The pattern is "%",
// the text, "%", quoted as an SQL string literal (every single quote
// doubled), joined straight after `prefix`, which ends with a blank:
//   likeStatement("SELECT * FROM kolliyat where kholase like ", "a'b")
//     == "SELECT * FROM kolliyat where kholase like '%a''b%'"
// Nothing is trimmed and nothing else is escaped: "%" and "_" typed by the
// user keep their meaning in the engine's like.
QString likeStatement(const QString &prefix, const QString &typed);

// A table or query name as the engine reads it, in brackets, whatever it holds.
QString bracketedName(const QString &name);

// The title filter's prefix and its cancel statement for a category table.
QString titleFilterPrefix(const QString &table);
QString titleCancelStatement(const QString &table);

// The advanced search's prefixes, over the whole collection.
inline const QString QuestionSearchPrefix = QStringLiteral("SELECT * FROM varostel where porsesh like ");
inline const QString AnswerSearchPrefix = QStringLiteral("SELECT * FROM varostel where pasokh like ");

} // namespace data
