#include "linkage/CallerArguments.h"

#include <charconv>

namespace vq::linkage {

namespace {

// The n-th piece (0-based) of text cut at every comma; empty when missing.
std::string field(const std::string& text, int n)
{
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            return {};
        start = comma + 1;
    }
    const std::size_t end = text.find(',', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

template <typename Int>
bool decimal(const std::string& text, Int& value)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last)
        return false;
    const auto r = std::from_chars(first, last, value);
    return r.ec == std::errc() && r.ptr == last;
}

} // namespace

CallerArguments ParseCallerArguments(const std::vector<std::string>& args)
{
    CallerArguments a;
    if (args.empty())
        return a;
    if (args.size() > 1) {
        a.kind = CallerArguments::Kind::Invalid;
        return a;
    }
    const std::string& arg = args.front();
    std::int64_t wnd = 0;
    std::int32_t msg = 0;
    std::int32_t funcId = 0;
    const bool wndOk = decimal(field(arg, 0), wnd);
    const bool msgOk = decimal(field(arg, 1), msg);
    const bool funcOk = decimal(field(arg, 2), funcId);
    // What could be read is kept, so a named caller can be told of the refusal.
    a.CallerWnd = wndOk ? wnd : 0;
    a.CallerMsg = msgOk ? msg : 0;
    a.CallerFuncId = funcOk ? funcId : 0;
    a.CallerOutFile = field(arg, 3);
    const bool served = funcId >= kFirstFunctionId && funcId <= kLastFunctionId && !a.CallerOutFile.empty();
    a.kind = wndOk && msgOk && funcOk && served ? CallerArguments::Kind::Caller : CallerArguments::Kind::Invalid;
    return a;
}

} // namespace vq::linkage
