#pragma once
// One HTTPS GET under the communication settings' TLS policy: TLS 1.2 or
// later (the legacy setting admits 1.0 and 1.1 and logs each use), the
// certificate checked against the system's store or the settings' CA file
// and the host's name, no redirects, no other protocol. The connection must
// come within the connect time-out and the reply must not stall for the read
// time-out. Only the reply's header lines are kept; the body is discarded.
#include "comm/CommSettings.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vq::comm {

class THttpsError : public std::runtime_error {
public:
    THttpsError(const std::string& what, int curlCode, long httpCode)
        : std::runtime_error(what), CurlCode(curlCode), HttpCode(httpCode)
    {
    }
    int CurlCode;    // CURLcode; 0 when the server answered with an HTTP error
    long HttpCode;   // the reply's code, 0 when none came
};

struct THttpsReply {
    long Code = 0;
    // The header lines as name and value, the value trimmed of blanks.
    std::vector<std::pair<std::string, std::string>> Headers;

    // The value of the first header of that name (the case of the letters
    // does not count); empty when there is none.
    std::string Header(std::string_view name) const;
};

// Throws THttpsError when no reply came or the reply's code is not 2xx.
THttpsReply HttpsGet(const TCommSettings& settings, const std::string& url, const std::string& userAgent);

// text with every byte but ASCII letters, digits and "-._~" written as %XX:
// a whole query value, whatever it holds.
std::string PercentEncode(std::string_view text);

} // namespace vq::comm
