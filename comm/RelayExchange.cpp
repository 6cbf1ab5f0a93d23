#include "comm/RelayExchange.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <memory>
#include <mutex>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vq::comm {

namespace {

using Clock = std::chrono::steady_clock;

// A hostile server must not make the reply grow without end.
constexpr std::size_t MaxReplyBytes = 256 * 1024;

struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

struct CtxFree {
    void operator()(SSL_CTX* c) const { SSL_CTX_free(c); }
};
struct SslFree {
    void operator()(SSL* s) const { SSL_free(s); }
};

std::string sslErrors()
{
    std::string text;
    while (unsigned long e = ERR_get_error()) {
        char buf[256];
        ERR_error_string_n(e, buf, sizeof buf);
        if (!text.empty())
            text += "; ";
        text += buf;
    }
    return text;
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until fd is ready for events; false at the deadline.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const int ms = remainingMs(deadline);
        if (ms <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, ms);
        if (r > 0)
            return true;
        if (r == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

int connectSocket(const TCommSettings& s, Clock::time_point deadline)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(s.Port);
    if (const int rc = ::getaddrinfo(s.Host.c_str(), port.c_str(), &hints, &found); rc != 0)
        throw TRelayError(TRelayFault::Connect, "relay host " + s.Host + ": " + gai_strerror(rc));
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> guard(found, &::freeaddrinfo);
    std::string last = "no address";
    for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
        Fd sock{::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol)};
        if (sock.fd < 0) {
            last = std::strerror(errno);
            continue;
        }
        if (::connect(sock.fd, a->ai_addr, a->ai_addrlen) != 0) {
            if (errno != EINPROGRESS) {
                last = std::strerror(errno);
                continue;
            }
            if (!waitFor(sock.fd, POLLOUT, deadline))
                throw TRelayError(TRelayFault::Connect, "relay host " + s.Host + ": connect timed out");
            int err = 0;
            socklen_t len = sizeof err;
            ::getsockopt(sock.fd, SOL_SOCKET, SO_ERROR, &err, &len);
            if (err != 0) {
                last = std::strerror(err);
                continue;
            }
        }
        const int fd = sock.fd;
        sock.fd = -1;
        return fd;
    }
    throw TRelayError(TRelayFault::Connect, "relay host " + s.Host + ": " + last);
}

// Runs one TLS call until it completes, waiting on the socket as it asks.
// Returns the call's result (> 0) or 0 at a clean close; throws otherwise.
template <typename Call>
int drive(SSL* ssl, int fd, Clock::time_point deadline, TRelayFault timeoutFault, TRelayFault failFault,
          const char* what, Call call)
{
    for (;;) {
        ERR_clear_error();
        const int r = call();
        if (r > 0)
            return r;
        const int e = SSL_get_error(ssl, r);
        if (e == SSL_ERROR_WANT_READ || e == SSL_ERROR_WANT_WRITE) {
            if (!waitFor(fd, e == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT, deadline))
                throw TRelayError(timeoutFault, std::string(what) + " timed out");
            continue;
        }
        if (e == SSL_ERROR_ZERO_RETURN)
            return 0;
        if (e == SSL_ERROR_SYSCALL && ERR_peek_error() == 0)
            return 0; // the peer closed without a TLS close; what came is what there is
        std::string detail = sslErrors();
        if (failFault == TRelayFault::Tls) {
            const long verify = SSL_get_verify_result(ssl);
            if (verify != X509_V_OK)
                detail = std::string(X509_verify_cert_error_string(verify)) + (detail.empty() ? "" : "; " + detail);
        }
        throw TRelayError(failFault, std::string(what) + " failed: " + (detail.empty() ? "connection lost" : detail));
    }
}

bool isAddress(const std::string& host)
{
    unsigned char buf[sizeof(in6_addr)];
    return ::inet_pton(AF_INET, host.c_str(), buf) == 1 || ::inet_pton(AF_INET6, host.c_str(), buf) == 1;
}

void ignoreBrokenPipes()
{
    // A write to a connection the server already closed must fail, not end the process.
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

} // namespace

std::string TRelayReply::Line(int n) const
{
    return n >= 1 && n <= static_cast<int>(Lines.size()) ? Lines[static_cast<std::size_t>(n - 1)] : std::string();
}

std::string TRelayReply::From(int n, int k) const
{
    const std::string line = Line(n);
    const std::size_t start = static_cast<std::size_t>(k > 0 ? k - 1 : 0);
    return start < line.size() ? line.substr(start) : std::string();
}

std::string TRelayReply::Status(int n) const
{
    return From(n, 11).substr(0, 3);
}

TRelayExchange::TRelayExchange(TCommSettings settings)
    : settings_(std::move(settings))
{
}

TRelayReply TRelayExchange::Run(const TRelayRequest& request) const
{
    const std::string bytes = RequestBytes(request, settings_.Host);
    return Exchange(bytes, request.ReplyLines, request.StatusLine);
}

TRelayReply TRelayExchange::Exchange(const std::string& bytes, int lines, int required) const
{
    const TCommSettings& s = settings_;
    if (s.Host.empty())
        throw TRelayError(TRelayFault::Connect, "no relay host is set");
    ignoreBrokenPipes();
    const auto connectDeadline = Clock::now() + std::chrono::milliseconds(s.ConnectTimeoutMs);
    Fd sock{connectSocket(s, connectDeadline)};

    std::unique_ptr<SSL_CTX, CtxFree> ctx(SSL_CTX_new(TLS_client_method()));
    if (!ctx)
        throw TRelayError(TRelayFault::Tls, "TLS context: " + sslErrors());
    if (s.AllowLegacyTls) {
        SSL_CTX_set_min_proto_version(ctx.get(), TLS1_VERSION);
        // The older protocols are below OpenSSL's default security level.
        SSL_CTX_set_security_level(ctx.get(), 0);
    } else {
        SSL_CTX_set_min_proto_version(ctx.get(), TLS1_2_VERSION);
    }
    SSL_CTX_set_verify(ctx.get(), SSL_VERIFY_PEER, nullptr);
    const bool trusted = s.CaFile.empty() ? SSL_CTX_set_default_verify_paths(ctx.get()) == 1
                                          : SSL_CTX_load_verify_locations(ctx.get(), s.CaFile.c_str(), nullptr) == 1;
    if (!trusted)
        throw TRelayError(TRelayFault::Tls, "certificate authorities " + (s.CaFile.empty() ? "of the system" : s.CaFile) +
                                                " cannot be read: " + sslErrors());
    std::unique_ptr<SSL, SslFree> ssl(SSL_new(ctx.get()));
    if (!ssl || SSL_set_fd(ssl.get(), sock.fd) != 1)
        throw TRelayError(TRelayFault::Tls, "TLS session: " + sslErrors());
    // The certificate must name the host: an address by its IP entry, a name
    // by its DNS entries (and only a name is sent as the server name).
    const bool named = isAddress(s.Host)
                           ? X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl.get()), s.Host.c_str()) == 1
                           : SSL_set_tlsext_host_name(ssl.get(), s.Host.c_str()) == 1 &&
                                 SSL_set1_host(ssl.get(), s.Host.c_str()) == 1;
    if (!named)
        throw TRelayError(TRelayFault::Tls, "TLS session: " + sslErrors());

    SSL* h = ssl.get();
    if (drive(h, sock.fd, connectDeadline, TRelayFault::Connect, TRelayFault::Tls, "TLS handshake",
              [h] { return SSL_connect(h); }) == 0)
        throw TRelayError(TRelayFault::Tls, "TLS handshake failed: the server closed the connection");
    if (SSL_version(h) < TLS1_2_VERSION)
        WriteCommLog(s, "legacy " + std::string(SSL_get_version(h)) + " connection to " + s.Host + " (AllowLegacyTls)");

    const auto readDeadline = Clock::now() + std::chrono::milliseconds(s.ReadTimeoutMs);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = drive(h, sock.fd, readDeadline, TRelayFault::Timeout, TRelayFault::Closed, "sending the request",
                            [&] { return SSL_write(h, bytes.data() + sent, static_cast<int>(bytes.size() - sent)); });
        if (n == 0)
            throw TRelayError(TRelayFault::Closed, "the server closed the connection before the request was sent");
        sent += static_cast<std::size_t>(n);
    }

    TRelayReply reply;
    std::string pending;
    std::size_t total = 0;
    auto take = [&](std::string line) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (reply.Lines.empty() && line.empty())
            return; // blank lines before reply line 1 do not count
        reply.Lines.push_back(std::move(line));
    };
    while (static_cast<int>(reply.Lines.size()) < lines) {
        char buf[4096];
        const int n = drive(h, sock.fd, readDeadline, TRelayFault::Timeout, TRelayFault::Closed, "reading the reply",
                            [&] { return SSL_read(h, buf, sizeof buf); });
        if (n == 0) {
            if (!pending.empty())
                take(std::move(pending));
            const int got = static_cast<int>(reply.Lines.size());
            if (got < required)
                throw TRelayError(TRelayFault::Closed,
                                  "the server closed the connection after " + std::to_string(got) + " reply lines");
            reply.Complete = got >= lines;
            break;
        }
        total += static_cast<std::size_t>(n);
        if (total > MaxReplyBytes)
            throw TRelayError(TRelayFault::Protocol, "the reply is too long");
        pending.append(buf, static_cast<std::size_t>(n));
        std::size_t lf;
        while (static_cast<int>(reply.Lines.size()) < lines && (lf = pending.find('\n')) != std::string::npos) {
            take(pending.substr(0, lf));
            pending.erase(0, lf + 1);
        }
    }
    SSL_shutdown(h); // best effort: the reply is complete either way
    return reply;
}

} // namespace vq::comm
