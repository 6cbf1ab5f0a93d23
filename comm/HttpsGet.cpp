#include "comm/HttpsGet.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>

namespace vq::comm {

namespace {

// Header lines beyond this are a hostile server's, not the analysis server's.
constexpr std::size_t MaxHeaderBytes = 64 * 1024;

struct CurlFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

struct Collected {
    std::vector<std::pair<std::string, std::string>> headers;
    std::size_t bytes = 0;
};

std::string trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return std::string(s);
}

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* c = static_cast<Collected*>(user);
    const std::size_t n = size * count;
    c->bytes += n;
    if (c->bytes > MaxHeaderBytes)
        return 0;
    const std::string_view line(data, n);
    // A new status line (after a 100 Continue) starts the headers afresh.
    if (line.rfind("HTTP/", 0) == 0) {
        c->headers.clear();
        return n;
    }
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos)
        c->headers.emplace_back(trimmed(line.substr(0, colon)), trimmed(line.substr(colon + 1)));
    return n;
}

std::size_t discard(char*, std::size_t size, std::size_t count, void*)
{
    return size * count;
}

} // namespace

std::string THttpsReply::Header(std::string_view name) const
{
    const auto same = [&](const std::string& h) {
        return h.size() == name.size() && std::equal(h.begin(), h.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    for (const auto& [n, v] : Headers)
        if (same(n))
            return v;
    return {};
}

THttpsReply HttpsGet(const TCommSettings& settings, const std::string& url, const std::string& userAgent)
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl)
        throw THttpsError("cannot start the HTTPS client", CURLE_FAILED_INIT, 0);
    CURL* c = curl.get();
    char error[CURL_ERROR_SIZE] = {};
    Collected collected;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &collected);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.ConnectTimeoutMs));
    const long stallSeconds = std::max(1, settings.ReadTimeoutMs / 1000);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, stallSeconds);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_SSLVERSION,
                     static_cast<long>(settings.AllowLegacyTls ? CURL_SSLVERSION_TLSv1 : CURL_SSLVERSION_TLSv1_2));
    if (!settings.CaFile.empty())
        curl_easy_setopt(c, CURLOPT_CAINFO, settings.CaFile.c_str());
    if (settings.AllowLegacyTls)
        WriteCommLog(settings, "HTTPS with TLS 1.0 and 1.1 admitted (AllowLegacyTls)");

    const CURLcode rc = curl_easy_perform(c);
    THttpsReply reply;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply.Code);
    if (rc != CURLE_OK)
        throw THttpsError(std::string("HTTPS request failed: ") + (error[0] != '\0' ? error : curl_easy_strerror(rc)),
                          rc, reply.Code);
    if (reply.Code < 200 || reply.Code > 299)
        throw THttpsError("HTTPS request answered " + std::to_string(reply.Code), 0, reply.Code);
    reply.Headers = std::move(collected.headers);
    return reply;
}

std::string PercentEncode(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~') {
            out += ch;
        } else {
            out += '%';
            out += Hex[b >> 4];
            out += Hex[b & 15];
        }
    }
    return out;
}

} // namespace vq::comm
