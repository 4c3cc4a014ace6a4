// Prints every user table of a Jet file as JSON, read by mdb-reader, an
// independent reader: {"tables": {"name": {"columns": [...], "rows": [[...], ...]}}}.
// Unlike mdbtools it tells a null from an empty string.
import { readFileSync } from "node:fs";
import MDBReader from "mdb-reader";

const reader = new MDBReader(readFileSync(process.argv[2]));
const out = { tables: {} };
for (const name of reader.getTableNames()) {
  const table = reader.getTable(name);
  const columns = table.getColumnNames();
  const rows = table.getData().map((row) => columns.map((c) => row[c] ?? null));
  out.tables[name] = { columns, rows };
}
process.stdout.write(JSON.stringify(out));
