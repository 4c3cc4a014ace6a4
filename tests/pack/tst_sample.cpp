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
};

QTEST_GUILESS_MAIN(TestSample)
#include "tst_sample.moc"
