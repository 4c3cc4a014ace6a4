#pragma once

#include <QString>

namespace pack {

struct Collection;

// Writes `collection` as a Jet 4 (Access 2000-2003) database at `path`. The
// file appears only once it is complete: on any error nothing is left behind.
// The output depends on nothing but the collection (no clock, no random key),
// so the same source always gives the same bytes.
struct WriteResult
{
    enum Fault { None, Collection, Output };
    Fault fault = None;
    QString message; // one line: "tables[2].rows[7]: ..." or "OUT.mdb: ..."

    bool ok() const { return fault == None; }
};

WriteResult writeJet4(const Collection &collection, const QString &path);

} // namespace pack
