#include "BankBuilder.h"

#include "BankWriter.h"
#include "SourceError.h"
#include "SourceResolver.h"
#include "store/Database.h"
#include "store/Schema.h"

namespace tessaro::bank {

namespace {

namespace fs = std::filesystem;
using store::Database;

void writeDatabase(const fs::path& path, const BankSource& source, const BankRows& rows,
                   BankOutput output) {
    Database db(path.string(), Database::Mode::ReadWriteCreate);
    db.exec("pragma journal_mode = off; pragma synchronous = off");
    if (output == BankOutput::Bank)
        store::schema::createBank(db);
    else
        store::schema::createUpdateFile(db);
    store::Transaction tx(db);
    BankWriter writer(db, rows);
    writer.syllabus(output == BankOutput::Bank);
    writer.questions();
    writer.catalogue();
    writer.identity(source);
    if (output == BankOutput::Bank) {
        writer.stems();
        writer.settings(source);
    }
    tx.commit();
}

} // namespace

void buildBank(const BankSource& source, const fs::path& out, BankOutput output) {
    const BankRows rows = SourceResolver(source, output).resolve();
    const fs::path partial = out.string() + ".partial";
    std::error_code ec;
    fs::remove(partial, ec);
    try {
        writeDatabase(partial, source, rows, output);
    } catch (...) {
        fs::remove(partial, ec);
        throw;
    }
    fs::rename(partial, out, ec);
    if (ec) {
        fs::remove(partial, ec);
        throw SourceError({out.string(), 0}, "cannot be written: " + ec.message());
    }
}

} // namespace tessaro::bank
