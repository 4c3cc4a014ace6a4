// Writer throughput and file size, against cat of the same text.
// A collection of 10,000 records (the six subject tables) plus varostel holding
// them all is written as JSON, then built by the varostel-pack command.

#include "benchreport.h"
#include "collectiongenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    bench::GeneratorSettings settings;
    settings.perCategory = 1667; // 10,002 records in the six tables
    const pack::Collection collection = bench::generate(settings);

    const QString json = dir.filePath(QStringLiteral("collection.json"));
    const QString text = dir.filePath(QStringLiteral("text.txt"));
    const QString mdb = dir.filePath(QStringLiteral("varostel.mdb"));
    {
        QFile out(json);
        out.open(QIODevice::WriteOnly);
        out.write(bench::toJson(collection));
        QFile plain(text);
        plain.open(QIODevice::WriteOnly);
        for (const pack::Table &table : collection.tables)
            for (const pack::Row &row : table.rows)
                for (const pack::Value &v : row)
                    if (v)
                        plain.write(v->toUtf8());
    }
    const double megabytes = double(bench::textBytes(collection)) / 1e6;

    const auto runs = [](const QString &program, const QStringList &args) {
        return bench::medianMs(5, [&] {
            QProcess p;
            p.start(program, args);
            p.waitForFinished(-1);
            if (p.exitCode() != 0)
                qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        });
    };
    const double catMs = runs(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cat \"$0\" > \"$0.copy\""), text});
    const double packMs = runs(QStringLiteral(VAROSTEL_PACK), {json, QStringLiteral("-o"), mdb});

    const double packRate = megabytes / (packMs / 1000);
    const double catRate = megabytes / (catMs / 1000);
    bench::report(QStringLiteral("writer_mb_per_s"), packRate, QStringLiteral("MB/s"), packRate / catRate);
    bench::report(QStringLiteral("writer_file_size_ratio"), double(QFileInfo(mdb).size()) / double(bench::textBytes(collection)),
                  QStringLiteral("x"));
    return 0;
}
