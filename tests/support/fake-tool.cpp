// A stand-in for the external tools (gbak, isql-fb ...) in tests.
//
// The commands come from the arguments, or, when the program is run in place
// of a real tool whose arguments it cannot choose, from the environment
// variable VQ_FAKE_TOOL (whitespace separated); then VQ_FAKE_TOOL_LOG names a
// file that receives the arguments it was given, one per line.
//
// Commands, run in order:
//   exit N         end with exit code N
//   out TEXT       write TEXT to stdout        err TEXT   to stderr
//   outln TEXT     write TEXT and a newline to stdout
//   echo           copy stdin to stdout
//   big N          write N bytes to stdout and N to stderr, alternating
//   env NAME       write the value of NAME and a newline to stdout
//   pwd            write the working folder and a newline to stdout
//   hang           sleep until killed          ignore-term  ignore SIGTERM
//   sleep MS       sleep MS milliseconds
//   crash          abort()
//   touch FILE     create FILE with the content "fake"
//   append FILE TEXT  append TEXT and a newline to FILE (a tool's log)
//   copy-from-arg FLAG FILE  copy the file named by the argument after FLAG
//                  to FILE (what a caller handed the tool, e.g. -i SCRIPT)
//   copy-to-arg FLAG FILE    copy FILE to the file named by the argument
//                  after FLAG (what the tool writes, e.g. -o OUTPUT)
//   dirmode FLAG FILE  append the permission bits (octal) of the folder of
//                  the file named after FLAG to FILE
// Without an exit command the tool ends with 0.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const std::string& s)
{
    std::size_t done = 0;
    while (done < s.size()) {
        ssize_t n = ::write(fd, s.data() + done, s.size() - done);
        if (n <= 0)
            std::exit(98);
        done += static_cast<std::size_t>(n);
    }
}

std::string argumentAfter(int argc, char** argv, const std::string& flag)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == flag)
            return argv[i + 1];
    writeAll(2, "fake-tool: no argument after " + flag + "\n");
    std::exit(97);
}

void copyFile(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> commands;
    if (const char* script = std::getenv("VQ_FAKE_TOOL")) {
        std::istringstream in(script);
        for (std::string word; in >> word;)
            commands.push_back(word);
        if (const char* log = std::getenv("VQ_FAKE_TOOL_LOG")) {
            std::ofstream out(log, std::ios::app);
            for (int i = 1; i < argc; ++i)
                out << argv[i] << '\n';
        }
    } else {
        commands.assign(argv + 1, argv + argc);
    }

    for (std::size_t i = 0; i < commands.size(); ++i) {
        const std::string& c = commands[i];
        auto operand = [&]() -> std::string {
            if (i + 1 >= commands.size()) {
                writeAll(2, "fake-tool: " + c + " needs an operand\n");
                std::exit(99);
            }
            return commands[++i];
        };
        if (c == "exit") {
            return std::atoi(operand().c_str());
        } else if (c == "out") {
            writeAll(1, operand());
        } else if (c == "outln") {
            writeAll(1, operand() + "\n");
        } else if (c == "err") {
            writeAll(2, operand());
        } else if (c == "echo") {
            char buffer[4096];
            ssize_t n;
            while ((n = ::read(0, buffer, sizeof buffer)) > 0)
                writeAll(1, std::string(buffer, static_cast<std::size_t>(n)));
        } else if (c == "big") {
            long n = std::atol(operand().c_str());
            const std::string chunk(1024, 'x');
            for (long done = 0; done < n; done += 1024) {
                std::size_t size = static_cast<std::size_t>(std::min<long>(1024, n - done));
                writeAll(1, chunk.substr(0, size));
                writeAll(2, chunk.substr(0, size));
            }
        } else if (c == "env") {
            const char* v = std::getenv(operand().c_str());
            writeAll(1, std::string(v ? v : "") + "\n");
        } else if (c == "pwd") {
            char buffer[4096];
            writeAll(1, std::string(::getcwd(buffer, sizeof buffer) ? buffer : "") + "\n");
        } else if (c == "hang") {
            for (;;)
                ::pause();
        } else if (c == "ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (c == "sleep") {
            ::usleep(static_cast<useconds_t>(std::atol(operand().c_str()) * 1000));
        } else if (c == "crash") {
            std::abort();
        } else if (c == "touch") {
            std::ofstream(operand()) << "fake";
        } else if (c == "append") {
            const std::string file = operand();
            std::ofstream(file, std::ios::app) << operand() << '\n';
        } else if (c == "copy-from-arg") {
            const std::string from = argumentAfter(argc, argv, operand());
            copyFile(from, operand());
        } else if (c == "copy-to-arg") {
            const std::string to = argumentAfter(argc, argv, operand());
            copyFile(operand(), to);
        } else if (c == "dirmode") {
            std::string file = argumentAfter(argc, argv, operand());
            const auto slash = file.rfind('/');
            struct stat st {};
            const bool found = ::stat(slash == std::string::npos ? "." : file.substr(0, slash).c_str(), &st) == 0;
            char mode[16];
            std::snprintf(mode, sizeof mode, "%o", found ? static_cast<unsigned>(st.st_mode & 07777) : 0u);
            std::ofstream(operand(), std::ios::app) << mode << '\n';
        } else {
            writeAll(2, "fake-tool: unknown command " + c + "\n");
            return 99;
        }
    }
    return 0;
}
