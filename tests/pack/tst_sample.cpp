// The bundled sample collection: its file is exactly what its source builds.

#include "jetfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class TestSample final : public QObject
{
    Q_OBJECT

private slots:
    void fileIsBuiltFromItsSource()
    {
        const QString dir = QStringLiteral(VAROSTEL_SOURCE_DIR "/data/sample");
        QTemporaryDir tmp;
        const QString rebuilt = tmp.filePath(QStringLiteral("varostel.mdb"));
        const ToolRun r = run(packCommand(), {dir + QStringLiteral("/collection.json"), QStringLiteral("-o"), rebuilt});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QFile committed(dir + QStringLiteral("/varostel.mdb"));
        QFile fresh(rebuilt);
        QVERIFY(committed.open(QIODevice::ReadOnly) && fresh.open(QIODevice::ReadOnly));
        QVERIFY2(committed.readAll() == fresh.readAll(),
                 "data/sample/varostel.mdb is stale: rebuild it with build/varostel-pack data/sample/collection.json -o data/sample/varostel.mdb");
    }

    // The fourteen row sources the reader opens, each table with the four fields
    // it shows, and varostel holding the six categories' records in order.
    void holdsTheRowSourcesTheReaderOpens()
    {
        const QString mdb = QStringLiteral(VAROSTEL_SOURCE_DIR "/data/sample/varostel.mdb");
        const auto catalog = catalogWithLibmdb(mdb);
        const QStringList tables = {QStringLiteral("kolliyat"), QStringLiteral("moghadamat"), QStringLiteral("vajeb"),
                                    QStringLiteral("mostahab"), QStringLiteral("gheraat"), QStringLiteral("motefareghe")};
        for (const QString &query : {QStringLiteral("Qkolliyat"), QStringLiteral("Qmoghadamat"), QStringLiteral("Qvajeb"),
                                     QStringLiteral("Qmostahab"), QStringLiteral("Qgheraat"), QStringLiteral("Qmotefar"),
                                     QStringLiteral("Qvarostel")})
            QVERIFY2(catalog.contains({query, 5}), qPrintable(query));

        QList<QStringList> all;
        for (const QString &table : tables + QStringList{QStringLiteral("varostel")}) {
            ReadTable read;
            QString error;
            QVERIFY2(readWithLibmdb(mdb, table, &read, &error), qPrintable(error));
            QCOMPARE(read.columns, QStringList({QStringLiteral("kholase"), QStringLiteral("porsesh"), QStringLiteral("pasokh"),
                                                QStringLiteral("pavaraghi")}));
            if (table == QLatin1String("varostel")) {
                QCOMPARE(read.rows, all);
            } else {
                QVERIFY(read.rows.size() >= 6 && read.rows.size() <= 12);
                all += read.rows;
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"
