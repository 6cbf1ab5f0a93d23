// A fresh process whose first call into Firebird is a service action on the
// files it is given: "backup DB FBK" or "validate DB". Exits 0 on success,
// 1 with the error on stderr. The services test runs it with no locale set,
// since an engine that has already handled a file name (an earlier attach in
// the same process) hides how the first one is treated. It ends as any
// program does, through exit: an engine thread still running while the
// client library unloads at exit would crash it and fail the test.
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/db/Services.h"

namespace {

int run(int argc, char** argv)
{
    try {
        vq::db::Services services({"", "SYSDBA", "masterkey"});
        if (argc == 4 && std::strcmp(argv[1], "backup") == 0) {
            services.backup(argv[2], argv[3]);
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "validate") == 0) {
            const auto lines = services.validate(argv[2]);
            for (const auto& line : lines)
                std::fprintf(stderr, "%s\n", line.c_str());
            return lines.empty() ? 0 : 1;
        }
        std::fprintf(stderr, "usage: services-first-call backup DB FBK | validate DB\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    return run(argc, argv);
}
