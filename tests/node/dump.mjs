// Prints every user table of a Jet file as JSON, read by mdb-reader, an
// independent reader: {"tables": {"name": {"columns": [...], "types": [...], "rows": [[...], ...]}}}.
// Unlike mdbtools it tells a null from an empty string.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const reader = new MDBReader(readFileSync(process.argv[2]));
const out = { tables: {} };
for (const name of reader.getTableNames()) {
  const table = reader.getTable(name);
  const columns = table.getColumns();
  const names = columns.map((c) => c.name);
  const rows = table.getData().map((row) =>
    names.map((c) => (row[c] === undefined || row[c] === null ? null : typeof row[c] === "string" ? row[c] : String(row[c]))));
  out.tables[name] = { columns: names, types: columns.map((c) => c.type), rows };
}
process.stdout.write(JSON.stringify(out));
