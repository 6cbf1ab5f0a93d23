// schema-diff A.fdb B.fdb   the difference of two databases' metadata
// schema-diff --text A.fdb  one database's metadata as canonical text
//
// Says whether an updated database has the schema of a freshly built one:
// no output and exit status 0 when the schemas are the same, the difference
// and 1 when not, 2 when a database cannot be read.
#include <cstdio>
#include <exception>
#include <string>

#include "dbupdate/SchemaText.h"

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::string(argv[1]) == "--text") {
            std::fputs(vq::SchemaText::readFile(argv[2]).text().c_str(), stdout);
            return 0;
        }
        if (argc == 3 && argv[1][0] != '-') {
            const auto a = vq::SchemaText::readFile(argv[1]);
            const auto b = vq::SchemaText::readFile(argv[2]);
            const std::string difference = a.differenceTo(b);
            if (difference.empty())
                return 0;
            std::printf("--- %s\n+++ %s\n%s", argv[1], argv[2], difference.c_str());
            return 1;
        }
        std::fprintf(stderr, "usage: schema-diff A.fdb B.fdb | schema-diff --text A.fdb\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "schema-diff: %s\n", e.what());
        return 2;
    }
}
