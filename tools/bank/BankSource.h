#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::bank {

/// Where a value came from in a source file, for messages.
struct SourcePos {
    std::string file;
    int line = 0; ///< 1-based; 0 when unknown
};

/// Rich text as the publisher wrote it: the small markup of bank/FORMAT.md, or raw RTF.
struct RichValue {
    enum class Kind { Markup, Rtf };
    Kind kind = Kind::Markup;
    std::string text;
    SourcePos pos;

    bool empty() const { return text.empty(); }
};

struct Question {
    std::string id; ///< empty: assigned by the builder from the chapter and position
    int type = 0;   ///< A13
    RichValue text; ///< A15, without the options
    std::vector<RichValue> options;    ///< appended to the text as "A．..." paragraphs
    int optionCount = 0;               ///< A2_1; equals options.size() when options are given
    std::optional<std::string> answer; ///< A2; defaults for the self-graded kinds
    RichValue explanation;             ///< jx; empty = none
    std::vector<std::string> points;   ///< K3..K12
    std::optional<int> order;          ///< xx; default: position in the chapter
    SourcePos pos;
};

/// Questions sharing one stem (tab_title).
struct Group {
    std::string id; ///< 16 characters; empty: assigned by the builder
    RichValue stem;
    std::vector<Question> questions;
    SourcePos pos;
};

/// One entry of a chapter's question list: a single question or a group.
struct Item {
    std::optional<Question> question;
    std::optional<Group> group;
};

/// A tab_kmmc row with its children (subject, part, section, chapter by code length).
struct Chapter {
    std::string code;            ///< C1
    std::string label;           ///< C1_1; empty: the name
    std::string name;            ///< C2
    RichValue guidance;          ///< jx
    std::optional<bool> charted; ///< C7 = "0"; default: subject rows only
    bool existing = false;       ///< update sources: a row the bank already has
    std::vector<Chapter> children;
    std::vector<Item> items; ///< six-character chapters only
    SourcePos pos;
};

struct Point {
    std::string id;    ///< ftid; empty: section id + three-digit position
    std::string label; ///< sn
    RichValue text;    ///< n
    SourcePos pos;
};

/// A tab_fgmc entry: top (2), source (4) or section (6 characters).
struct CatalogueEntry {
    std::string id;
    std::string name;
    bool existing = false;
    std::vector<CatalogueEntry> children;
    std::vector<Point> points; ///< sections only
    SourcePos pos;
};

struct PaperType {
    int code = 0;       ///< A1
    std::string name;   ///< B1
    int count = 0;      ///< B2
    int marks = 0;      ///< B3
    double minutes = 1; ///< time
};

struct PaperKind {
    int kind = 0;
    std::string title; ///< stored as setting "PaperTitle<kind>"
    std::vector<PaperType> types;
};

struct Plan {
    int planMark = 0;
    int planAmount = 100;
    int planTime = 60;
    std::string examDate;
    int leastMark = 60;
    int examTime = 7200;
};

struct BankSource {
    std::string file;         ///< the main source file, for messages about the whole bank
    std::string productId;    ///< tab_sj.cpbs
    std::string release;      ///< tab_sj.sjbs
    std::string productName;  ///< setting "ProductName"
    std::optional<Plan> plan; ///< full banks only
    std::vector<PaperKind> papers;
    std::map<std::string, std::string> settings;
    std::vector<Chapter> subjects;
    std::vector<CatalogueEntry> catalogue;
};

} // namespace tessaro::bank
