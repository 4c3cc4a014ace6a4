#pragma once

// What the find and advanced-search tests share: the data layer's fixture
// collection with rows of their own added, packed into a working folder,
// and a message-box stand-in that keeps the title as well as the text.

#include "jetfiles.h"
#include "messageboxes.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QPointer>

class QWidget;

namespace searchfixture {

inline QJsonObject baseCollection()
{
    QFile f(QStringLiteral(VAROSTEL_SOURCE_DIR "/tests/data/fixtures/collection.json"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("no fixture");
    return QJsonDocument::fromJson(f.readAll()).object();
}

// `rows` appended to the table named `table`; a null value stands for NULL.
inline QJsonObject withRows(QJsonObject collection, const QString &table, const QJsonArray &rows)
{
    QJsonArray tables = collection.value(QStringLiteral("tables")).toArray();
    for (qsizetype i = 0; i < tables.size(); ++i) {
        QJsonObject t = tables.at(i).toObject();
        if (t.value(QStringLiteral("name")).toString() != table)
            continue;
        QJsonArray kept = t.value(QStringLiteral("rows")).toArray();
        for (const QJsonValue &row : rows)
            kept.append(row);
        t.insert(QStringLiteral("rows"), kept);
        tables.replace(i, t);
    }
    collection.insert(QStringLiteral("tables"), tables);
    return collection;
}

inline QJsonObject withoutTable(QJsonObject collection, const QString &table)
{
    QJsonArray kept;
    for (const QJsonValue &t : collection.value(QStringLiteral("tables")).toArray()) {
        if (t.toObject().value(QStringLiteral("name")).toString() != table)
            kept.append(t);
    }
    collection.insert(QStringLiteral("tables"), kept);
    return collection;
}

// An empty text when it worked.
inline QString pack(const QJsonObject &collection, const QString &path)
{
    return testsupport::packJson(QString::fromUtf8(QJsonDocument(collection).toJson()), path);
}

} // namespace searchfixture

class TitledMessageBoxes final : public platform::MessageBoxes
{
public:
    struct Box
    {
        QPointer<QWidget> parent;
        QString title;
        QString text;
    };
    QList<Box> shown;
    void showError(QWidget *parent, const QString &title, const QString &text) override
    {
        shown.append({parent, title, text});
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Box &box : shown)
            out.append(box.text);
        return out;
    }
};
