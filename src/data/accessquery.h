#pragma once

#include "jetfile.h"

namespace data {

class TableSnapshot;

// Jet keeps a stored query not as text but taken apart, one row per clause
// item, in its table of query parts. This puts a select query back together
// as SQL the engine runs; other kinds (actions, unions, parameters) come back
// with the reason they cannot serve as a row source.
StoredQuery rebuildQuery(const QString &name, quint32 objectId, const TableSnapshot *parts);

} // namespace data
