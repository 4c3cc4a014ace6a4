// varostel-gen: writes a large generated collection for the benchmarks.
//   varostel-gen --per-category N [--varostel M] [--answer-chars A] [--json] -o DIR
// DIR/varostel.mdb comes from the writer varostel-pack uses; --json also
// writes its source, DIR/collection.json.

#include "collectiongenerator.h"
#include "jetwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bench::GeneratorSettings settings;
    QString dir;
    bool json = false;
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--per-category") && hasValue)
            settings.perCategory = args.at(++i).toInt();
        else if (a == QLatin1String("--varostel") && hasValue)
            settings.varostelRecords = args.at(++i).toInt();
        else if (a == QLatin1String("--answer-chars") && hasValue)
            settings.answerChars = args.at(++i).toInt();
        else if (a == QLatin1String("--json"))
            json = true;
        else if (a == QLatin1String("-o") && hasValue)
            dir = args.at(++i);
        else {
            std::fputs("usage: varostel-gen --per-category N [--varostel M] [--answer-chars A] [--json] -o DIR\n", stderr);
            return 2;
        }
    }
    if (dir.isEmpty() || settings.perCategory < 0 || settings.perCategory > 100000) {
        std::fputs("varostel-gen: give -o DIR and --per-category from 0 to 100000\n", stderr);
        return 2;
    }
    QDir().mkpath(dir);
    const pack::Collection collection = bench::generate(settings);
    if (json) {
        QFile file(QDir(dir).filePath(QStringLiteral("collection.json")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bench::toJson(collection)) < 0) {
            std::fprintf(stderr, "varostel-gen: %s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
            return 1;
        }
    }
    const pack::WriteResult result = pack::writeJet4(collection, QDir(dir).filePath(QStringLiteral("varostel.mdb")));
    if (!result.ok()) {
        std::fprintf(stderr, "varostel-gen: %s\n", qPrintable(result.message));
        return 1;
    }
    return 0;
}
