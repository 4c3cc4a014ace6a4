// The Jet writer, checked through readers that are not ours: libmdb in
// process, the mdbtools commands, and mdb-reader (which alone tells a null
// from an empty string).

#include "collection.h"
#include "jetfiles.h"
#include "jetwriter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

const QString Persian = QStringLiteral("قرآن را با ترتیل بخوانید؛ «وَرَتِّلِ الْقُرْآنَ تَرْتِيلًا» می‌گوید.");

// `length` characters of Persian prose with line breaks and quotes in it.
QString persianText(int length)
{
    const QString piece = Persian + QStringLiteral("\r\n\"نقل\" و 'قول' ") ;
    QString text;
    while (text.size() < length)
        text += piece;
    return text.left(length);
}

pack::Collection oneTable(const QList<pack::Row> &rows)
{
    pack::Table table{QStringLiteral("kolliyat"),
                      {{QStringLiteral("kholase"), pack::ColumnType::Text, 255}, {QStringLiteral("pasokh"), pack::ColumnType::Memo, 0}},
                      rows};
    return {{table}, {}};
}

QJsonValue json(const pack::Value &v)
{
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

} // namespace

class TestJetWriter final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const pack::Collection &collection, const QString &name = QStringLiteral("out.mdb"))
    {
        const QString path = m_dir.filePath(name);
        const pack::WriteResult result = pack::writeJet4(collection, path);
        if (!result.ok())
            qWarning("writer: %s", qPrintable(result.message));
        return result.ok() ? path : QString();
    }

private slots:
    void values_data();
    void values();
    void commandLineTools();
    void manyRowsOverManyPages();
    void deterministicAndObfuscatedHeader();
    void storedQueries();
    void badSource_data();
    void badSource();
    void failedWriteKeepsExistingFile();
};

void TestJetWriter::values_data()
{
    QTest::addColumn<pack::Value>("title");
    QTest::addColumn<pack::Value>("memo");

    QTest::newRow("empty memo stays empty, not null") << pack::Value(QStringLiteral("t")) << pack::Value(QString(""));
    QTest::newRow("null memo and null title stay null") << pack::Value() << pack::Value();
    QTest::newRow("32 characters, the longest memo kept in its row") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(32));
    QTest::newRow("33 characters, the shortest on a long-value page") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(33));
    QTest::newRow("a few hundred bytes") << pack::Value(Persian) << pack::Value(persianText(300));
    QTest::newRow("2038 characters, a long-value row filled") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(2038));
    QTest::newRow("2039 characters, the shortest chain") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(2039));
    QTest::newRow("about 3 KB") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(1500));
    QTest::newRow("about 60 KB chained over 15 pages") << pack::Value(QStringLiteral("t")) << pack::Value(persianText(30000));
    QTest::newRow("title of 255 characters, the most a text column holds") << pack::Value(persianText(255)) << pack::Value(QStringLiteral("m"));
    QTest::newRow("empty title stays empty") << pack::Value(QString("")) << pack::Value(QStringLiteral("m"));
    QTest::newRow("Latin, Persian, zero-width non-joiner, U+0600 and U+2000")
        << pack::Value(QStringLiteral("Abc ی ک ي ك \u200c \u0600 \u2000"))
        << pack::Value(QStringLiteral("\u0600\u2000\u3000 low bytes of zero"));
}

void TestJetWriter::values()
{
    QFETCH(pack::Value, title);
    QFETCH(pack::Value, memo);
    // Neighbours before and after: a value that overruns its place shows in them.
    const pack::Row before{QStringLiteral("before"), persianText(700)};
    const pack::Row after{QStringLiteral("after"), QStringLiteral("آخر")};
    const QList<pack::Row> rows{before, {title, memo}, after};
    const QString mdb = write(oneTable(rows));
    QVERIFY(!mdb.isEmpty());

    ReadTable read;
    QString error;
    QVERIFY2(readWithLibmdb(mdb, QStringLiteral("kolliyat"), &read, &error), qPrintable(error));
    QCOMPARE(read.columns, QStringList({QStringLiteral("kholase"), QStringLiteral("pasokh")}));
    QCOMPARE(read.rows.size(), 3);
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(read.rows.at(r).at(0), rows.at(r).at(0).value_or(QString()));
        QCOMPARE(read.rows.at(r).at(1), rows.at(r).at(1).value_or(QString()));
    }

    QJsonObject tables;
    if (!readWithMdbReader(mdb, &tables, &error))
        QSKIP(qPrintable(error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QJsonArray got = tables.value(QStringLiteral("kolliyat")).toObject().value(QStringLiteral("rows")).toArray();
    QCOMPARE(got.size(), 3);
    for (int r = 0; r < 3; ++r) {
        QCOMPARE(got.at(r).toArray().at(0), json(rows.at(r).at(0)));
        QCOMPARE(got.at(r).toArray().at(1), json(rows.at(r).at(1)));
    }
}

void TestJetWriter::commandLineTools()
{
    const QString source = QStringLiteral(R"({"tables": [
        {"name": "kolliyat", "columns": [{"name": "kholase", "type": "text", "size": 255}, {"name": "pasokh", "type": "memo"}],
         "rows": [["a title", "an answer\r\nover two lines"], ["another", null], ["سلام \"دنیا\"", "قرآن‌ها, 'آیه'"]]},
        {"name": "empty", "columns": [{"name": "x", "type": "text", "size": 10}], "rows": []}]})");
    const QString mdb = m_dir.filePath(QStringLiteral("tools.mdb"));
    QCOMPARE(packJson(source, mdb), QString());

    QCOMPARE(run(QStringLiteral("mdb-ver"), {mdb}).out.trimmed(), QStringLiteral("JET4"));
    QCOMPARE(run(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), mdb}).out,
             QStringLiteral("kolliyat\nempty\n"));
    const QString schema = run(QStringLiteral("mdb-schema"), {mdb}).out;
    QVERIFY2(schema.contains(QStringLiteral("[kholase]\t\t\tText (255)")), qPrintable(schema));
    QVERIFY2(schema.contains(QStringLiteral("[pasokh]\t\t\tMemo/Hyperlink")), qPrintable(schema));
    QVERIFY2(schema.contains(QStringLiteral("[x]\t\t\tText (10)")), qPrintable(schema));

    QCOMPARE(run(QStringLiteral("mdb-export"), {mdb, QStringLiteral("kolliyat")}).out,
             QStringLiteral("kholase,pasokh\n"
                            "\"a title\",\"an answer\r\nover two lines\"\n"
                            "\"another\",\n"
                            "\"سلام \"\"دنیا\"\"\",\"قرآن‌ها, 'آیه'\"\n"));
    QCOMPARE(run(QStringLiteral("mdb-export"), {mdb, QStringLiteral("empty")}).out, QStringLiteral("x\n"));
}

void TestJetWriter::manyRowsOverManyPages()
{
    // Titles of 250 characters leave room for a handful of rows a page, so
    // 5000 rows need about 800 data pages: more than one inline usage map covers.
    QList<pack::Row> rows;
    for (int i = 0; i < 5000; ++i)
        rows.append({QString::number(i) + persianText(250 - 6), i % 7 ? pack::Value(persianText(40 + i % 300)) : pack::Value()});
    const QString mdb = write(oneTable(rows));
    QVERIFY(!mdb.isEmpty());
    QVERIFY(QFileInfo(mdb).size() > 600 * 4096);

    ReadTable read;
    QString error;
    QVERIFY2(readWithLibmdb(mdb, QStringLiteral("kolliyat"), &read, &error), qPrintable(error));
    QCOMPARE(read.rows.size(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        QCOMPARE(read.rows.at(r).at(0), *rows.at(r).at(0));
        QCOMPARE(read.rows.at(r).at(1), rows.at(r).at(1).value_or(QString()));
    }

    QJsonObject tables;
    if (!readWithMdbReader(mdb, &tables, &error))
        QSKIP(qPrintable(error));
    QVERIFY2(error.isEmpty(), qPrintable(error)); // it refuses maps that list foreign pages
    const QJsonArray got = tables.value(QStringLiteral("kolliyat")).toObject().value(QStringLiteral("rows")).toArray();
    QCOMPARE(got.size(), rows.size());
    QCOMPARE(got.at(4999).toArray().at(0).toString(), *rows.at(4999).at(0));
    QCOMPARE(got.at(7).toArray().at(1), QJsonValue(QJsonValue::Null));
}

void TestJetWriter::deterministicAndObfuscatedHeader()
{
    const pack::Collection collection = oneTable({{Persian, persianText(5000)}, {QStringLiteral("x"), QString("")}});
    QFile a(write(collection, QStringLiteral("a.mdb")));
    QFile b(write(collection, QStringLiteral("b.mdb")));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    const QByteArray bytes = a.readAll();
    QCOMPARE(bytes, b.readAll());
    QCOMPARE(bytes.size() % 4096, 0);
    // Settings sit under RC4: a database key of 0 always reads fb 8a bc 4e raw.
    QCOMPARE(bytes.mid(0x3E, 4).toHex(), QByteArray("fb8abc4e"));
    QCOMPARE(bytes.mid(4, 15), QByteArray("Standard Jet DB"));
}

void TestJetWriter::storedQueries()
{
    pack::Collection collection = oneTable({{QStringLiteral("a"), QStringLiteral("b")}});
    collection.queries = {{QStringLiteral("Qkolliyat"), QStringLiteral("SELECT *\r\nFROM kolliyat;")},
                          {QStringLiteral("Qtitles"),
                           QStringLiteral("select kholase, pasokh from [kolliyat] where kholase like 'a%' order by kholase desc")}};
    const QString mdb = write(collection);
    QVERIFY(!mdb.isEmpty());

    const auto catalog = catalogWithLibmdb(mdb);
    QVERIFY(catalog.contains({QStringLiteral("Qkolliyat"), 5}));
    QVERIFY(catalog.contains({QStringLiteral("Qtitles"), 5}));
    QVERIFY(catalog.contains({QStringLiteral("kolliyat"), 1}));
    // Queries are not tables: the table list holds only the table.
    QCOMPARE(run(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), mdb}).out, QStringLiteral("kolliyat\n"));

    ReadTable rows;
    QString error;
    QVERIFY2(readWithLibmdb(mdb, QStringLiteral("MSysQueries"), &rows, &error), qPrintable(error));
    QStringList first; // attribute:name1:flag of the first query's rows
    for (const QStringList &row : rows.rows) {
        if (row.at(rows.columns.indexOf(QStringLiteral("ObjectId"))) == QString::number(qint32(0x80000001)))
            first.append(row.at(rows.columns.indexOf(QStringLiteral("Attribute"))) + u':'
                         + row.at(rows.columns.indexOf(QStringLiteral("Name1"))) + u':'
                         + row.at(rows.columns.indexOf(QStringLiteral("Flag"))));
    }
    // Start, select, "all columns", the one table, end: as Access stores SELECT *.
    QCOMPARE(first, QStringList({QStringLiteral("0::0"), QStringLiteral("1::1"), QStringLiteral("3::1"),
                                 QStringLiteral("5:kolliyat:"), QStringLiteral("255::")}));
    QCOMPARE(run(QStringLiteral("mdb-queries"), {mdb, QStringLiteral("Qtitles")}).out.trimmed(),
             QStringLiteral("SELECT kholase,pasokh FROM [kolliyat] WHERE kholase like 'a%' ORDER BY kholase DESCENDING"));
}

void TestJetWriter::badSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("place");

    const QString columns = QStringLiteral(R"("columns": [{"name": "kholase", "type": "text", "size": 5}, {"name": "pasokh", "type": "memo"}])");
    const auto table = [&](const QString &rows) {
        return QStringLiteral(R"({"tables": [{"name": "kolliyat", %1, "rows": [%2]}]})").arg(columns, rows);
    };
    QTest::newRow("malformed JSON") << QStringLiteral("{\"tables\": [\n  {\"name\": }]}") << QStringLiteral("line 2, column");
    QTest::newRow("not an object") << QStringLiteral("[]") << QStringLiteral("top level: expected an object");
    QTest::newRow("no tables") << QStringLiteral(R"({"queries": []})") << QStringLiteral("tables: missing");
    QTest::newRow("unknown key") << QStringLiteral(R"({"tables": [], "tabels": []})") << QStringLiteral("unknown key \"tabels\"");
    QTest::newRow("unknown type")
        << QStringLiteral(R"({"tables": [{"name": "t", "columns": [{"name": "a", "type": "text"}, {"name": "b", "type": "integer"}], "rows": []}]})")
        << QStringLiteral("tables[0].columns[1].type: unknown type \"integer\"");
    QTest::newRow("text size out of range")
        << QStringLiteral(R"({"tables": [{"name": "t", "columns": [{"name": "a", "type": "text", "size": 256}], "rows": []}]})")
        << QStringLiteral("tables[0].columns[0].size");
    QTest::newRow("value longer than its text column") << table(QStringLiteral(R"(["abc", null], ["abcdef", "x"])"))
                                                       << QStringLiteral("tables[0].rows[1][0]: a value of 6 characters is longer");
    QTest::newRow("number instead of text") << table(QStringLiteral(R"(["abc", 5])")) << QStringLiteral("tables[0].rows[0][1]: expected a string or null");
    QTest::newRow("too few values") << table(QStringLiteral(R"(["abc"])")) << QStringLiteral("tables[0].rows[0]: 1 values for 2 columns");
    QTest::newRow("character outside the BMP") << table(QStringLiteral(R"(["a", "x\ud83d\ude00"])"))
                                               << QStringLiteral("tables[0].rows[0][1]: character U+1F600");
    QTest::newRow("leading byte-order mark") << table(QStringLiteral(R"(["a", "\ufeffx"])")) << QStringLiteral("tables[0].rows[0][1]: a value cannot begin with U+FEFF");
    QTest::newRow("duplicate table name, other case")
        << QStringLiteral(R"({"tables": [{"name": "t", "columns": [{"name": "a", "type": "memo"}], "rows": []},
                                         {"name": "T", "columns": [{"name": "a", "type": "memo"}], "rows": []}]})")
        << QStringLiteral("tables[1].name: duplicate name \"T\"");
    QTest::newRow("query named like a table")
        << QStringLiteral(R"({"tables": [{"name": "t", "columns": [{"name": "a", "type": "memo"}], "rows": []}],
                             "queries": [{"name": "t", "sql": "SELECT * FROM t"}]})")
        << QStringLiteral("queries[0].name: duplicate name");
    QTest::newRow("duplicate column name")
        << QStringLiteral(R"({"tables": [{"name": "t", "columns": [{"name": "a", "type": "memo"}, {"name": "A", "type": "memo"}], "rows": []}]})")
        << QStringLiteral("tables[0].columns[1].name: duplicate name");
    QTest::newRow("name with a bracket")
        << QStringLiteral(R"({"tables": [{"name": "t[1]", "columns": [{"name": "a", "type": "memo"}], "rows": []}]})")
        << QStringLiteral("tables[0].name");
    QTest::newRow("query that is not a select over one table")
        << QStringLiteral(R"({"tables": [], "queries": [{"name": "q", "sql": "DELETE FROM t"}]})") << QStringLiteral("queries[0].sql");
    QString wide = QStringLiteral(R"({"tables": [{"name": "t", "columns": [)");
    QString full = QStringLiteral("[");
    for (int c = 0; c < 9; ++c) {
        wide += QStringLiteral(R"({"name": "c%1", "type": "text", "size": 255},)").arg(c);
        full += QStringLiteral("\"%1\",").arg(QString(255, u'x'));
    }
    wide.chop(1);
    full.chop(1);
    QTest::newRow("row longer than a page holds") << wide + QStringLiteral("], \"rows\": [") + full + QStringLiteral("]]}]}")
                                                  << QStringLiteral("tables[0].rows[0]: the row needs");
}

void TestJetWriter::badSource()
{
    QFETCH(QString, source);
    QFETCH(QString, place);
    const QString json = m_dir.filePath(QStringLiteral("bad.json"));
    const QString mdb = m_dir.filePath(QStringLiteral("bad.mdb"));
    QFile::remove(mdb);
    QFile file(json);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(source.toUtf8());
    file.close();

    const ToolRun r = run(packCommand(), {json, QStringLiteral("-o"), mdb});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err.count(u'\n'), 1); // one line
    QVERIFY2(r.err.startsWith(QStringLiteral("varostel-pack: ") + json + QStringLiteral(": ")), qPrintable(r.err));
    QVERIFY2(r.err.contains(place), qPrintable(r.err));
    QVERIFY(!QFile::exists(mdb));
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("bad.mdb*")}, QDir::Files | QDir::Hidden), QStringList());
}

void TestJetWriter::failedWriteKeepsExistingFile()
{
    const QString mdb = m_dir.filePath(QStringLiteral("kept.mdb"));
    QFile file(mdb);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("earlier");
    file.close();
    pack::Collection collection = oneTable({{QStringLiteral("a"), QStringLiteral("b")}});
    collection.queries = {{QStringLiteral("q"), QStringLiteral("UPDATE kolliyat SET kholase = 'x'")}};
    const pack::WriteResult result = pack::writeJet4(collection, mdb);
    QCOMPARE(result.fault, pack::WriteResult::Collection);
    QVERIFY(result.message.startsWith(QStringLiteral("queries[0].sql: ")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier"));

    const ToolRun missing = run(packCommand(), {m_dir.filePath(QStringLiteral("absent.json")), QStringLiteral("-o"), mdb});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains(QStringLiteral("absent.json: ")));
}

QTEST_GUILESS_MAIN(TestJetWriter)
#include "tst_jetwriter.moc"
