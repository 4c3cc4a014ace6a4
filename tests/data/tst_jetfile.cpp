// Reading Jet files: every table of the files Access wrote comes back as an
// independent reader sees it, long values whole, Jet 3 text in the Arabic
// code page; and no damaged or foreign file can take the program down.

#include "jetfile.h"
#include "jetfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace testsupport;

namespace {

const QString Samples = QStringLiteral(VAROSTEL_SHARED_DIR "/jet-samples/");

QStringList texts(const data::TableSnapshot &t, int row)
{
    QStringList out;
    for (int c = 0; c < t.columnCount(); ++c)
        out.append(QString::fromUtf8(t.value(row, c)));
    return out;
}

const data::TableSnapshot *find(const data::JetContents &contents, const QString &name)
{
    for (const auto &t : contents.tables) {
        if (t->name() == name)
            return t.get();
    }
    return nullptr;
}

QByteArray hashOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestJetFile final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void accessSamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Unicode text, some of it compressed") << QStringLiteral("testUnicodeCompV2003.mdb");
        QTest::newRow("74 columns, memos in row and on long-value pages") << QStringLiteral("test2V2003.mdb");
        QTest::newRow("rows moved to other pages after edits") << QStringLiteral("overflowTestV2003.mdb");
        QTest::newRow("tables beside stored queries") << QStringLiteral("queryTestV2003.mdb");
        QTest::newRow("Jet 3, 8-bit text") << QStringLiteral("testV1997.mdb");
        QTest::newRow("only system tables") << QStringLiteral("adox_jet4.mdb");
    }

    // Every text and memo value of every user table, as mdb-reader reads it.
    void accessSamples()
    {
        QFETCH(QString, file);
        data::JetContents contents;
        QString error;
        QVERIFY2(data::readJetFile(Samples + file, &contents, &error), qPrintable(error));
        QJsonObject expected;
        if (!readWithMdbReader(Samples + file, &expected, &error))
            QSKIP(qPrintable(error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(int(contents.tables.size()), int(expected.size()));
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            const data::TableSnapshot *table = find(contents, it.key());
            QVERIFY2(table, qPrintable(it.key()));
            const QJsonObject e = it.value().toObject();
            const QJsonArray types = e.value(QStringLiteral("types")).toArray();
            const QJsonArray rows = e.value(QStringLiteral("rows")).toArray();
            QCOMPARE(table->rowCount(), int(rows.size()));
            // Rows moved by edits come out in a different order: compare as sets.
            QStringList ours;
            QStringList theirs;
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList mine;
                QStringList other;
                for (int c = 0; c < types.size(); ++c) {
                    const QString type = types.at(c).toString();
                    if (type != QLatin1String("text") && type != QLatin1String("memo"))
                        continue;
                    mine.append(QString::fromUtf8(table->value(r, c)));
                    other.append(rows.at(r).toArray().at(c).toString()); // null reads as empty, as libmdb gives it
                }
                ours.append(mine.join(QChar(0x1F)));
                theirs.append(other.join(QChar(0x1F)));
            }
            ours.sort();
            theirs.sort();
            QCOMPARE(ours, theirs);
        }
    }

    void storedQueriesRebuilt()
    {
        data::JetContents contents;
        QString error;
        QVERIFY2(data::readJetFile(Samples + QStringLiteral("queryTestV2003.mdb"), &contents, &error), qPrintable(error));
        QHash<QString, data::StoredQuery> byName;
        for (const auto &q : contents.queries)
            byName.insert(q.name, q);
        QCOMPARE(byName.size(), 9);
        QCOMPARE(byName.value(QStringLiteral("SelectQuery")).sql,
                 QStringLiteral("SELECT DISTINCT Table1.*, Table2.col1, Table2.col2, Table3.col3 FROM [Table1] LEFT JOIN [Table3] ON "
                                "Table1.col1 = Table3.col1 INNER JOIN [Table2] ON (Table3.col1 = Table2.col1) AND "
                                "(Table3.col1 = Table2.col2) WHERE (((Table2.col2)=\"foo\" Or (Table2.col2) In (\"buzz\",\"bazz\"))) "
                                "ORDER BY Table2.col1"));
        for (const QString &action : {QStringLiteral("UpdateQuery"), QStringLiteral("DeleteQuery"), QStringLiteral("UnionQuery")}) {
            QVERIFY2(byName.value(action).sql.isEmpty(), qPrintable(action));
            QVERIFY(!byName.value(action).problem.isEmpty());
        }
    }

    // libmdb cuts what does not fit its buffer without a word; nothing may be lost.
    void longValuesWhole_data()
    {
        QTest::addColumn<int>("characters");
        QTest::newRow("60 KB, over libmdb's usual buffer") << 30000;
        QTest::newRow("450 KB, over our first buffer as well") << 150000;
    }

    void longValuesWhole()
    {
        QFETCH(int, characters);
        QString answer;
        while (answer.size() < characters)
            answer += QStringLiteral("قرآن را با ترتیل بخوانید\r\n");
        answer.truncate(characters);
        const QString json = QStringLiteral(R"({"tables": [{"name": "kolliyat", "columns": [{"name": "kholase", "type": "text"},
            {"name": "pasokh", "type": "memo"}], "rows": [["a", "%1"], ["b", "after"]]}]})")
                                 .arg(QString(answer).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")));
        const QString mdb = m_dir.filePath(QStringLiteral("long%1.mdb").arg(characters));
        QCOMPARE(packJson(json, mdb), QString());
        data::JetContents contents;
        QString error;
        QVERIFY2(data::readJetFile(mdb, &contents, &error), qPrintable(error));
        const data::TableSnapshot *t = find(contents, QStringLiteral("kolliyat"));
        QVERIFY(t);
        QCOMPARE(QString::fromUtf8(t->value(0, 1)), answer);
        QCOMPARE(texts(*t, 1), QStringList({QStringLiteral("b"), QStringLiteral("after")}));
    }

    // A Jet 3 file's text is 8-bit: ours is Windows-1256.
    void jet3TextInArabicCodePage()
    {
        QFile sample(Samples + QStringLiteral("testV1997.mdb"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        QByteArray bytes = sample.readAll();
        const int at = int(bytes.indexOf("abcdefg"));
        QVERIFY(at > 0);
        bytes.replace(at, 7, QByteArray("\xC7\xE1\xDE\xD1\xC2\xE4\x8E", 7)); // "القرآنژ" in Windows-1256
        const QString copy = m_dir.filePath(QStringLiteral("jet3.mdb"));
        QFile out(copy);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        data::JetContents contents;
        QString error;
        QVERIFY2(data::readJetFile(copy, &contents, &error), qPrintable(error));
        QCOMPARE(contents.jetVersion, 3);
        const data::TableSnapshot *t = find(contents, QStringLiteral("Table1"));
        QVERIFY(t);
        QCOMPARE(QString::fromUtf8(t->value(1, 0)), QStringLiteral("القرآنژ"));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // written as the file; "<dir>" makes a folder
        QTest::addColumn<QString>("message");

        QFile good(Samples + QStringLiteral("testUnicodeCompV2003.mdb"));
        good.open(QIODevice::ReadOnly);
        const QByteArray jet = good.readAll();
        QByteArray scrambled = jet;
        for (int i = 2 * 4096; i < scrambled.size(); ++i)
            scrambled[i] = char((quint32(i) * 7919u) >> 3);
        QByteArray catalogGone = jet;
        catalogGone.replace(2 * 4096, 4096, QByteArray(4096, '\xFF'));

        QTest::newRow("empty file") << QByteArray() << QStringLiteral("Unrecognized database format");
        QTest::newRow("text file named .mdb") << QByteArray("kholase,pasokh\nhello,world\n") << QStringLiteral("Unrecognized database format");
        QTest::newRow("header only") << jet.left(4096) << QStringLiteral("Unrecognized database format");
        QTest::newRow("truncated after three pages") << jet.left(3 * 4096) << QString();
        QTest::newRow("truncated in the middle of a page") << jet.left(5 * 4096 + 100) << QString();
        QTest::newRow("pages of garbage after the header") << scrambled << QString();
        QTest::newRow("catalog page overwritten") << catalogGone << QString();
        QTest::newRow("a folder of that name") << QByteArray("<dir>") << QStringLiteral("it is a folder");
    }

    // A clear report or a file read as far as it goes; never a crash, a hang, or a changed file.
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(QStringLiteral("bad-%1.mdb").arg(QTest::currentDataTag()));
        if (content == "<dir>") {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QByteArray before = hashOf(path);
        data::JetContents contents;
        QString error;
        const bool read = data::readJetFile(path, &contents, &error);
        if (!message.isEmpty()) {
            QVERIFY(!read);
            QVERIFY2(error.contains(message), qPrintable(error));
        }
        if (!read)
            QVERIFY2(error.contains(path), qPrintable(error));
        QCOMPARE(hashOf(path), before);
    }

    // A table whose usage map points nowhere makes libmdb itself crash (as
    // mdb-export does): only the reading child goes down, and we report.
    void libmdbCrashIsContained()
    {
        const QString mdb = m_dir.filePath(QStringLiteral("trap.mdb"));
        QCOMPARE(packJson(QStringLiteral(R"({"tables": [{"name": "kolliyat", "columns": [{"name": "kholase", "type": "text"}],
                                              "rows": [["a"], ["b"]]}]})"),
                          mdb),
                 QString());
        QFile file(mdb);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(4 * 4096 + 0x37)); // the table's definition: its owned-pages map
        file.write(QByteArray("\x63\x01\x00\x00", 4));
        file.close();
        QVERIFY(run(QStringLiteral("mdb-export"), {mdb, QStringLiteral("kolliyat")}).exitCode != 0);

        data::JetContents contents;
        QString error;
        QVERIFY(!data::readJetFile(mdb, &contents, &error));
        QCOMPARE(error, QStringLiteral("The database file '%1' is damaged and cannot be read.").arg(mdb));
    }

    void missingAndUnreadable()
    {
        data::JetContents contents;
        QString error;
        const QString missing = m_dir.filePath(QStringLiteral("absent.mdb"));
        QVERIFY(!data::readJetFile(missing, &contents, &error));
        QCOMPARE(error, QStringLiteral("Could not find file '%1'.").arg(missing));

        if (geteuid() == 0)
            QSKIP("running as root: file permissions do not stop reading");
        const QString locked = m_dir.filePath(QStringLiteral("locked.mdb"));
        QVERIFY(QFile::copy(Samples + QStringLiteral("adox_jet4.mdb"), locked));
        QFile::setPermissions(locked, QFileDevice::Permissions());
        QVERIFY(!data::readJetFile(locked, &contents, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Cannot open the file '%1'").arg(locked)), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestJetFile)
#include "tst_jetfile.moc"
