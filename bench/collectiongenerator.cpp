#include "collectiongenerator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <random>

namespace bench {

namespace {

// Words of the sample collection, so lengths, letters and joiners are those of real text.
QStringList vocabulary()
{
    QStringList words;
    QFile file(QStringLiteral(VAROSTEL_SOURCE_DIR "/data/sample/collection.json"));
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonArray tables = QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("tables")).toArray();
        static const QRegularExpression blanks(QStringLiteral("\\s+"));
        for (const QJsonValue &table : tables) {
            if (table.toObject().value(QStringLiteral("name")).toString() == QLatin1String("varostel"))
                continue;
            for (const QJsonValue &row : table.toObject().value(QStringLiteral("rows")).toArray()) {
                for (const QJsonValue &value : row.toArray())
                    words += value.toString().split(blanks, Qt::SkipEmptyParts);
            }
        }
    }
    if (words.isEmpty())
        words = QStringLiteral("قرآن تلاوت ترتیل تجوید آیه سوره قاری حافظ می‌خواند آداب").split(u' ');
    return words;
}

class TextMaker final
{
public:
    explicit TextMaker(quint32 seed)
        : m_words(vocabulary())
        , m_random(seed)
    {
    }

    // About `length` characters (within one word), broken into paragraphs
    // of a few hundred characters when `paragraphs` is set.
    QString text(int length, bool paragraphs)
    {
        QString out;
        out.reserve(length + 32);
        std::uniform_int_distribution<qsizetype> pick(0, m_words.size() - 1);
        std::uniform_int_distribution<int> paragraph(250, 600);
        int nextBreak = paragraph(m_random);
        while (out.size() < length) {
            if (!out.isEmpty()) {
                if (paragraphs && out.size() >= nextBreak) {
                    out += QStringLiteral("\r\n");
                    nextBreak = int(out.size()) + paragraph(m_random);
                } else {
                    out += u' ';
                }
            }
            out += m_words.at(pick(m_random));
        }
        return out;
    }

private:
    QStringList m_words;
    std::mt19937 m_random;
};

pack::Table emptyTable(const QString &name)
{
    return {name,
            {{QStringLiteral("kholase"), pack::ColumnType::Text, 255},
             {QStringLiteral("porsesh"), pack::ColumnType::Memo, 0},
             {QStringLiteral("pasokh"), pack::ColumnType::Memo, 0},
             {QStringLiteral("pavaraghi"), pack::ColumnType::Memo, 0}},
            {}};
}

} // namespace

const QStringList &categoryTables()
{
    static const QStringList tables = {QStringLiteral("kolliyat"), QStringLiteral("moghadamat"), QStringLiteral("vajeb"),
                                       QStringLiteral("mostahab"), QStringLiteral("gheraat"), QStringLiteral("motefareghe")};
    return tables;
}

pack::Collection generate(GeneratorSettings s)
{
    const qint64 records = qint64(s.perCategory) * 6 + (s.varostelRecords < 0 ? qint64(s.perCategory) * 6 : s.varostelRecords);
    // Jet text takes two bytes a character, plus a few dozen bytes of row and page overhead.
    const auto fileBytes = [&](int answer) {
        return records * (2 * qint64(s.titleChars + s.questionChars + answer + s.footnoteChars) + 64);
    };
    while (s.answerChars > 100 && fileBytes(s.answerChars) > s.maxFileBytes)
        s.answerChars -= 50;

    TextMaker maker(s.seed);
    pack::Collection collection;
    for (const QString &name : categoryTables()) {
        pack::Table table = emptyTable(name);
        table.rows.reserve(s.perCategory);
        for (int i = 0; i < s.perCategory; ++i) {
            table.rows.append({maker.text(s.titleChars, false).left(255), maker.text(s.questionChars, false),
                               maker.text(s.answerChars, true),
                               i % 10 == 9 ? pack::Value() : pack::Value(maker.text(s.footnoteChars, false))});
        }
        collection.tables.append(std::move(table));
    }
    pack::Table all = emptyTable(QStringLiteral("varostel"));
    const qint64 wanted = s.varostelRecords < 0 ? qint64(s.perCategory) * 6 : s.varostelRecords;
    for (qint64 i = 0; i < wanted && s.perCategory > 0; ++i) // round-robin over the six, so every subject appears
        all.rows.append(collection.tables.at(i % 6).rows.at((i / 6) % s.perCategory));
    collection.tables.append(std::move(all));

    const QStringList queries = {QStringLiteral("Qkolliyat"), QStringLiteral("Qmoghadamat"), QStringLiteral("Qvajeb"),
                                 QStringLiteral("Qmostahab"), QStringLiteral("Qgheraat"), QStringLiteral("Qmotefar"),
                                 QStringLiteral("Qvarostel")};
    for (int i = 0; i < queries.size(); ++i)
        collection.queries.append({queries.at(i), QStringLiteral("SELECT * FROM %1;").arg(collection.tables.at(i).name)});
    return collection;
}

qint64 textBytes(const pack::Collection &collection)
{
    qint64 bytes = 0;
    for (const pack::Table &table : collection.tables) {
        for (const pack::Row &row : table.rows) {
            for (const pack::Value &value : row) {
                if (value)
                    bytes += value->toUtf8().size();
            }
        }
    }
    return bytes;
}

} // namespace bench

namespace bench {

QByteArray toJson(const pack::Collection &collection)
{
    QJsonArray tables;
    for (const pack::Table &table : collection.tables) {
        QJsonArray columns;
        for (const pack::Column &c : table.columns) {
            QJsonObject column{{QStringLiteral("name"), c.name},
                               {QStringLiteral("type"), c.type == pack::ColumnType::Text ? QStringLiteral("text") : QStringLiteral("memo")}};
            if (c.type == pack::ColumnType::Text)
                column.insert(QStringLiteral("size"), c.size);
            columns.append(column);
        }
        QJsonArray rows;
        for (const pack::Row &row : table.rows) {
            QJsonArray values;
            for (const pack::Value &v : row)
                values.append(v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null));
            rows.append(values);
        }
        tables.append(QJsonObject{{QStringLiteral("name"), table.name}, {QStringLiteral("columns"), columns}, {QStringLiteral("rows"), rows}});
    }
    QJsonArray queries;
    for (const pack::Query &q : collection.queries)
        queries.append(QJsonObject{{QStringLiteral("name"), q.name}, {QStringLiteral("sql"), q.sql}});
    return QJsonDocument(QJsonObject{{QStringLiteral("tables"), tables}, {QStringLiteral("queries"), queries}}).toJson(QJsonDocument::Compact);
}

} // namespace bench
