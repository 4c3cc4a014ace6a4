#pragma once

#include "collection.h"

#include <QByteArray>

namespace pack {

// Reads a collection from its JSON source:
//   {"tables": [{"name": ..., "columns": [{"name": ..., "type": "text"|"memo", "size": n}],
//                "rows": [[string|null, ...], ...]}],
//    "queries": [{"name": ..., "sql": ...}]}
// On failure returns false and one line naming the place: "line 3, column 7: ..."
// for malformed JSON, else a path such as "tables[0].columns[1].type: ...".
bool readCollection(const QByteArray &json, Collection *collection, QString *error);

} // namespace pack
