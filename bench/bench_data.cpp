// The data layer's figures: import, title filter, answer search and memory,
// each against a reference measured in the same run.
//   import_10k_ms:        opening a file of 10,000 records a category, against
//                         mdb-export of the same seven tables to /dev/null
//   filter_10k_ms/100k:   a title filter statement (open, fetch, count) typed
//                         letter by letter, median, against a plain substring
//                         scan of the same titles in memory
//   answer_search_60k_ms: an answer search over varostel's 60,000 records,
//                         against the same kind of scan over the answers
//   memory_ratio:         memory the imported collection holds over its UTF-8 text size

#include "benchreport.h"
#include "collectiongenerator.h"
#include "connection.h"
#include "dataset.h"
#include "engine.h"
#include "jetwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

QString makeFile(const QTemporaryDir &dir, const QString &name, bench::GeneratorSettings settings, pack::Collection *kept = nullptr)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    pack::Collection collection = bench::generate(settings);
    const QString path = folder + QStringLiteral("/varostel.mdb");
    const pack::WriteResult written = pack::writeJet4(collection, path);
    if (!written.ok())
        qFatal("%s", qPrintable(written.message));
    if (kept)
        *kept = std::move(collection);
    return folder;
}

std::vector<std::string> columnText(const pack::Collection &c, const QString &table, int column)
{
    std::vector<std::string> out;
    for (const pack::Table &t : c.tables) {
        if (t.name == table) {
            for (const pack::Row &row : t.rows)
                out.push_back(row.at(column).value_or(QString()).toStdString());
        }
    }
    return out;
}

// The floor: how long finding `needle` in every text takes with nothing in the way.
double scanMs(const std::vector<std::string> &texts, const std::string &needle, int *found)
{
    return bench::medianMs(7, [&] {
        int n = 0;
        for (const std::string &t : texts)
            n += std::string_view(t).find(needle) != std::string_view::npos;
        *found = n;
    });
}

// A word of the collection typed letter by letter: every prefix is one keystroke's statement.
QStringList prefixes(const QString &word)
{
    QStringList out;
    for (int i = 1; i <= word.size(); ++i)
        out.append(word.left(i));
    return out;
}

struct FilterFigures
{
    double ms;
    double floorMs;
};

FilterFigures filter(const QString &folder, const pack::Collection &collection, const QString &word)
{
    QDir::setCurrent(folder);
    data::Connection connection;
    QString error;
    if (!connection.open(&error))
        qFatal("%s", qPrintable(error));
    data::Dataset query(&connection, QStringLiteral("Qkolliyat"));
    const std::vector<std::string> titles = columnText(collection, QStringLiteral("kolliyat"), 0);
    std::vector<double> ours;
    std::vector<double> floor;
    for (const QString &typed : prefixes(word)) {
        ours.push_back(bench::medianMs(7, [&] {
            query.clearSql();
            query.addSql(QStringLiteral("SELECT * FROM kolliyat where kholase like '%") + typed + QStringLiteral("%' "));
            int count = 0;
            if (!query.open(&error) || !query.recordCount(&count, &error))
                qFatal("%s", qPrintable(error));
        }));
        int found = 0;
        floor.push_back(scanMs(titles, typed.toStdString(), &found));
    }
    std::sort(ours.begin(), ours.end());
    std::sort(floor.begin(), floor.end());
    return {ours[ours.size() / 2], floor[floor.size() / 2]};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString word = QStringLiteral("قرائت");

    // 10,000 records in each subject table; varostel holds all 60,000.
    bench::GeneratorSettings tenK;
    tenK.perCategory = 10000;
    pack::Collection collection;
    const QString folder = makeFile(dir, QStringLiteral("10k"), tenK, &collection);
    const qint64 textBytes = bench::textBytes(collection);

    const QStringList tables = {QStringLiteral("kolliyat"), QStringLiteral("moghadamat"), QStringLiteral("vajeb"), QStringLiteral("mostahab"),
                                QStringLiteral("gheraat"),  QStringLiteral("motefareghe"), QStringLiteral("varostel")};
    const double exportMs = bench::medianMs(3, [&] {
        for (const QString &table : tables) {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(QStringLiteral("mdb-export"), {folder + QStringLiteral("/varostel.mdb"), table});
            p.waitForFinished(-1);
        }
    });
    QDir::setCurrent(folder);
    const double importMs = bench::medianMs(3, [&] {
        data::Connection connection;
        QString error;
        if (!connection.open(&error))
            qFatal("%s", qPrintable(error));
    });
    bench::report(QStringLiteral("import_10k_ms"), importMs, QStringLiteral("ms"), importMs / exportMs);

    const FilterFigures f10 = filter(folder, collection, word);
    bench::report(QStringLiteral("filter_10k_ms"), f10.ms, QStringLiteral("ms"), f10.ms / f10.floorMs);

    {
        QDir::setCurrent(folder);
        data::Connection connection;
        QString error;
        connection.open(&error);
        data::Dataset query(&connection, QStringLiteral("qtovrin"));
        const std::vector<std::string> answers = columnText(collection, QStringLiteral("varostel"), 2);
        const double ms = bench::medianMs(7, [&] {
            query.clearSql();
            query.addSql(QStringLiteral("SELECT * FROM varostel where pasokh like '%") + word + QStringLiteral("%'"));
            if (!query.open(&error))
                qFatal("%s", qPrintable(error));
        });
        int found = 0;
        const double floorMs = scanMs(answers, word.toStdString(), &found);
        bench::report(QStringLiteral("answer_search_60k_ms"), ms, QStringLiteral("ms"), ms / floorMs);
    }

    // Memory: what the imported collection holds (values, their folded
    // copies, the row index), over the text's UTF-8 size. Counted from the
    // snapshots rather than the process size, which reuses memory freed by
    // the imports before it.
    {
        QDir::setCurrent(folder);
        data::Connection connection;
        QString error;
        connection.open(&error);
        bench::report(QStringLiteral("memory_ratio"), double(connection.engine()->bytes()) / double(textBytes), QStringLiteral("x"));
    }
    collection = {};

    bench::GeneratorSettings hundredK;
    hundredK.perCategory = 100000;
    hundredK.varostelRecords = 100000;
    pack::Collection big;
    const QString bigFolder = makeFile(dir, QStringLiteral("100k"), hundredK, &big);
    const FilterFigures f100 = filter(bigFolder, big, word);
    bench::report(QStringLiteral("filter_100k_ms"), f100.ms, QStringLiteral("ms"), f100.ms / f100.floorMs);
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
