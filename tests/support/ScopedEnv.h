#pragma once
// Sets an environment variable for the lifetime of the object (a fake tool in
// place of a real one, for instance) and puts the previous value back.
#include <cstdlib>
#include <string>

namespace vq::test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
            had_ = true;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_)
            ::setenv(name_, previous_.c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::string previous_;
    bool had_ = false;
};

} // namespace vq::test
