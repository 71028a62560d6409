// tessaro-bank: builds, checks and dumps question banks and update files from their sources.
#include "BankBuilder.h"
#include "BankChecker.h"
#include "BankDumper.h"
#include "SourceError.h"
#include "SourceReader.h"
#include "SourceWriter.h"
#include "SyntheticBank.h"
#include "store/Database.h"

#include <charconv>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

using namespace tessaro;

constexpr std::string_view kUsage = R"(usage:
  tessaro-bank build SOURCE OUT     build a question bank from a source file
  tessaro-bank update SOURCE OUT    build an update file from a source file
  tessaro-bank dump BANK OUT        write a bank back as a source file
  tessaro-bank check BANK           list every problem in a bank
  tessaro-bank generate OUT [--questions N] [--chapters N] [--points N] [--seed N]
                                    build a synthetic bank of that size
)";

int usage() {
    std::cerr << kUsage;
    return 2;
}

int build(const std::string& source, const std::string& out, bank::BankOutput output) {
    bank::buildBank(bank::readSource(source), out, output);
    return 0;
}

int dump(const std::string& path, const std::string& out) {
    store::Database db(path, store::Database::Mode::ReadOnly);
    bank::writeSource(bank::dumpBank(db), out);
    return 0;
}

int check(const std::string& path) {
    store::Database db(path, store::Database::Mode::ReadOnly);
    const auto problems = bank::checkBank(db);
    for (const auto& problem : problems)
        std::cout << problem.describe() << "\n";
    if (problems.empty())
        return 0;
    std::cerr << path << ": " << problems.size() << " problem(s)\n";
    return 1;
}

bool number(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

int generate(const std::vector<std::string>& args) {
    bank::SyntheticOptions options;
    for (size_t i = 1; i < args.size(); i += 2) {
        int value = 0;
        if (i + 1 >= args.size() || !number(args[i + 1], value))
            return usage();
        if (args[i] == "--questions")
            options.questions = value;
        else if (args[i] == "--chapters")
            options.chapterRows = value;
        else if (args[i] == "--points")
            options.points = value;
        else if (args[i] == "--seed")
            options.seed = static_cast<std::uint32_t>(value);
        else
            return usage();
    }
    bank::generateSyntheticBank(args[0], options);
    return 0;
}

int run(const std::string& command, const std::vector<std::string>& args) {
    if ((command == "help" || command == "--help" || command == "-h") && args.empty()) {
        std::cout << kUsage;
        return 0;
    }
    if (command == "build" && args.size() == 2)
        return build(args[0], args[1], bank::BankOutput::Bank);
    if (command == "update" && args.size() == 2)
        return build(args[0], args[1], bank::BankOutput::Update);
    if (command == "dump" && args.size() == 2)
        return dump(args[0], args[1]);
    if (command == "check" && args.size() == 1)
        return check(args[0]);
    if (command == "generate" && !args.empty())
        return generate(args);
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    try {
        return run(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const bank::SourceError& error) {
        std::cerr << error.what() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "tessaro-bank: " << error.what() << "\n";
    }
    return 1;
}
