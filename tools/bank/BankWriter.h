#pragma once

#include "BankRows.h"
#include "BankSource.h"
#include "store/Database.h"

namespace tessaro::bank {

/// Writes resolved rows into the tables of a bank or update file; every counter is computed
/// from the rows themselves, every learner-state column gets its initial value.
class BankWriter {
public:
    BankWriter(store::Database& db, const BankRows& rows) : m_db(db), m_rows(rows) {}

    void questions();
    void stems();
    void syllabus(bool withReservedRow);
    void catalogue();
    void identity(const BankSource& source);
    void settings(const BankSource& source);

private:
    store::Database& m_db;
    const BankRows& m_rows;
};

} // namespace tessaro::bank
