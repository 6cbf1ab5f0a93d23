// make-sample-office DIR [--journals N]
//
// Makes a whole accounting office under DIR, to be used with VQ_ROOT=DIR:
// the folders and settings files, the installed accounting product in the
// registry store, the system database (operator 10 "鈴木 一郎" without a
// password, the data list) and three data sets of the fiscal year 2024 in
// the data folders 0001 (general business), 0002 (real estate) and 0003
// (agriculture), a medical corporation with a hospital and a care facility
// in 0004 and a bakery whose settlement statement was entered by hand in
// 0005. --journals N adds N further journal entries to each of
// the first three data sets through the journal procedure, for measuring with
// larger data; they are made and entered one at a time, so memory stays the
// same whatever N, and the last line tells the entries per second. N is
// bounded by the disk under DIR. Half-made parts live in DIR's build folder
// until the office is complete; a run killed midway is finished by running it
// again.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/SampleOffice.h"

#ifndef VQ_SCHEMA_DIR
#error "VQ_SCHEMA_DIR must name the schema folder of the source tree"
#endif

namespace {

// Entry numbers stay far inside the journal's INTEGER columns.
constexpr long kMostJournals = 10000000;

int usage()
{
    std::fprintf(stderr, "usage: make-sample-office DIR [--journals N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    vq::tools::SampleOfficeOptions options;
    options.schemaDir = VQ_SCHEMA_DIR;
    if (const char* schema = std::getenv("VQ_SCHEMA_DIR"); schema && *schema)
        options.schemaDir = schema;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--journals" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 0 || n > kMostJournals) {
                std::fprintf(stderr, "make-sample-office: --journals takes a whole number from 0 to %ld\n",
                             kMostJournals);
                return 2;
            }
            options.extraJournals = static_cast<int>(n);
        } else if (!arg.empty() && arg[0] != '-' && options.root.empty()) {
            options.root = arg;
        } else {
            return usage();
        }
    }
    if (options.root.empty())
        return usage();
    try {
        const auto report = vq::tools::makeSampleOffice(options);
        for (const auto& line : report.lines)
            std::printf("%s\n", line.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-sample-office: %s\n", e.what());
        return 1;
    }
}
