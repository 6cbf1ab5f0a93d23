#include "tools/BenchArgs.h"

#include <cstdlib>

namespace vq::tools {

bool ParseBenchArgs(int argc, char** argv, const std::string& countFlag, BenchArgs& args)
{
    bool rootGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--journals" || arg == countFlag) && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < (arg == countFlag ? 1 : 0) || n > 10000000)
                return false;
            (arg == countFlag ? args.count : args.journals) = n;
        } else if (!arg.empty() && arg[0] != '-' && !rootGiven) {
            args.root = arg;
            rootGiven = true;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace vq::tools
