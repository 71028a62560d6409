#pragma once

#include "BankOutput.h"
#include "BankRows.h"
#include "BankSource.h"

#include <set>
#include <string>

namespace tessaro::bank {

/// Checks a source and turns it into rows: assigns ids and orders, validates codes, answers and
/// references, and stores rich text. Throws SourceError at the first problem, naming its place.
class SourceResolver {
public:
    SourceResolver(const BankSource& source, BankOutput output);

    BankRows resolve();

private:
    void catalogueEntry(const CatalogueEntry& entry, const std::string& parent);
    void addPoint(const Point& point, const std::string& section, int n);
    void chapter(const Chapter& row, const std::string& parent, int& order);
    void chapterItems(const Chapter& row);
    void question(const Question& q, const std::string& id, const std::string& chapter,
                  int position, const std::string& group);
    std::string answerOf(const Question& q) const;
    void checkPoints(const Question& q) const;
    store::Blob questionText(const Question& q) const;
    void checkFullBank() const;

    const BankSource& m_source;
    BankOutput m_output;
    BankRows m_rows;
    std::set<std::string> m_entryIds, m_pointIds, m_chapterCodes, m_questionIds, m_groupIds;
};

} // namespace tessaro::bank
