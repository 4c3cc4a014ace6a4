// Fuzz target: libmdb itself, in process, reading every table of a file the
// way the reader's child does. What this finds lies inside libmdb; the reader
// is kept safe from it by reading in a child process.

#include <glib.h> // before mdbtools.h, which would include it inside extern "C"
#include <mdbtools.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = [] {
        setenv("MDB_JET3_CHARSET", "CP1256", 1);
        return true;
    }();
    (void)quiet;
    std::vector<uint8_t> copy(data, data + size); // libmdb may keep and read the buffer
    MdbHandle *mdb = mdb_open_buffer(copy.data(), copy.size(), MDB_NOFLAGS);
    if (!mdb)
        return 0;
    if (mdb_read_catalog(mdb, MDB_ANY)) {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type != MDB_TABLE)
                continue;
            MdbTableDef *table = mdb_read_table(entry);
            if (!table)
                continue;
            mdb_read_columns(table);
            mdb_rewind_table(table);
            std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(mdb->bind_size + 8));
            std::vector<int> lengths(table->num_cols);
            for (unsigned c = 0; c < table->num_cols; ++c)
                mdb_bind_column(table, int(c) + 1, buffers[c].data(), &lengths[c]);
            for (int rows = 0; rows < 10000 && mdb_fetch_row(table); ++rows) {
            }
            mdb_free_tabledef(table);
        }
    }
    mdb_close(mdb);
    return 0;
}
