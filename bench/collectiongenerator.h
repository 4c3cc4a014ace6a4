#pragma once

#include "collection.h"

#include <QString>

// Large collections for the benchmarks: the seven tables the reader opens and
// their stored queries, filled with Persian text of realistic lengths drawn
// from the words of the bundled sample, the same for the same settings.
namespace bench {

struct GeneratorSettings
{
    int perCategory = 1000;    // records in each of the six subject tables
    int varostelRecords = -1;  // records in varostel; -1: all of the six tables' records
    int titleChars = 60;
    int questionChars = 300;
    int answerChars = 1500;    // shortened by generate() when the file would pass maxFileBytes
    int footnoteChars = 100;
    qint64 maxFileBytes = 900LL * 1000 * 1000; // leaves room for the pages' own overhead under 1 GB
    quint32 seed = 1;
};

// The six subject tables as the reader names them, in its order.
const QStringList &categoryTables();

pack::Collection generate(GeneratorSettings settings);

// UTF-8 bytes of every value of the collection: the text a file holds.
qint64 textBytes(const pack::Collection &collection);

} // namespace bench

namespace bench {
// The collection as varostel-pack's JSON source.
QByteArray toJson(const pack::Collection &collection);
} // namespace bench
