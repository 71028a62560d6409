#pragma once

#include "richtext/Paragraph.h"

#include <vector>

namespace tessaro::richtext {

struct TableCell {
    std::vector<Paragraph> paragraphs; // at least one once read or built
    int widthTwips = 0;                // 0 = unknown

    friend bool operator==(const TableCell&, const TableCell&) = default;
};

struct TableRow {
    std::vector<TableCell> cells;

    friend bool operator==(const TableRow&, const TableRow&) = default;
};

// A simple table: rows of cells of paragraphs. Nested tables are flattened into their cell.
struct Table {
    std::vector<TableRow> rows;

    friend bool operator==(const Table&, const Table&) = default;
};

} // namespace tessaro::richtext
