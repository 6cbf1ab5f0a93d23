#pragma once
// Points the backup tool's gbak at the fake tool for the guard's lifetime,
// with the fake's commands (see tests/support/fake-tool.cpp).
#include <cstdlib>
#include <string>

namespace vq::test {

class ScopedFakeGbak {
public:
    explicit ScopedFakeGbak(const std::string& commands)
    {
        save("VQ_GBAK", gbak_);
        save("VQ_FAKE_TOOL", script_);
        ::setenv("VQ_GBAK", VQ_FAKE_TOOL, 1);
        ::setenv("VQ_FAKE_TOOL", commands.c_str(), 1);
    }
    ~ScopedFakeGbak()
    {
        restore("VQ_GBAK", gbak_);
        restore("VQ_FAKE_TOOL", script_);
    }

private:
    struct Saved {
        bool had = false;
        std::string value;
    };
    static void save(const char* name, Saved& s)
    {
        if (const char* v = std::getenv(name)) {
            s.had = true;
            s.value = v;
        }
    }
    static void restore(const char* name, const Saved& s)
    {
        s.had ? ::setenv(name, s.value.c_str(), 1) : ::unsetenv(name);
    }
    Saved gbak_, script_;
};

} // namespace vq::test
