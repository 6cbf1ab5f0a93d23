#include "comm/FtpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>

namespace vq::comm {

namespace fs = std::filesystem;

namespace {

// The block of a file transfer between the disk and the data channel.
constexpr std::size_t TransferBuffer = 1 << 20;

CURL* handle(void* curl)
{
    return static_cast<CURL*>(curl);
}

std::size_t discard(char*, std::size_t size, std::size_t count, void*)
{
    return size * count;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct SlistFree {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

TFtpClient::TFtpClient(const TCommSettings& settings, TFtpLogin login)
    : settings_(settings), login_(std::move(login))
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
    if (curl_ == nullptr)
        throw TFtpError("cannot start the FTP client", CURLE_FAILED_INIT, 0);
}

TFtpClient::~TFtpClient()
{
    Close();
}

void TFtpClient::Close()
{
    if (curl_ != nullptr)
        curl_easy_cleanup(handle(curl_));
    curl_ = nullptr;
}

// Sets the options every request shares: the login, TLS, passive mode and
// the time limits, with the URL of path.
void TFtpClient::prepare(const std::string& path)
{
    if (curl_ == nullptr) {
        curl_ = curl_easy_init();
        if (curl_ == nullptr)
            throw TFtpError("cannot start the FTP client", CURLE_FAILED_INIT, 0);
    }
    CURL* c = handle(curl_);
    curl_easy_reset(c);
    const std::string url = "ftp://" + login_.Host + ":" + std::to_string(settings_.FtpPort) + "/" + path;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERNAME, login_.User.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, login_.Password.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(c, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings_.ConnectTimeoutMs));
    const long stallSeconds = std::max(1, settings_.ReadTimeoutMs / 1000);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, stallSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, stallSeconds);
    if (FtpPlainAllowed(settings_, login_.Host)) {
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_NONE));
    } else {
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_CONTROL));
        curl_easy_setopt(c, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
        curl_easy_setopt(c, CURLOPT_SSLVERSION,
                         static_cast<long>(settings_.AllowLegacyTls ? CURL_SSLVERSION_TLSv1 : CURL_SSLVERSION_TLSv1_2));
        if (!settings_.CaFile.empty())
            curl_easy_setopt(c, CURLOPT_CAINFO, settings_.CaFile.c_str());
    }
    error_[0] = '\0';
}

void TFtpClient::perform(const std::string& what)
{
    CURL* c = handle(curl_);
    const CURLcode rc = curl_easy_perform(c);
    long reply = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply);
    if (rc != CURLE_OK) {
        const std::string detail = error_[0] != '\0' ? error_ : curl_easy_strerror(rc);
        throw TFtpError(what + ": " + detail, rc, reply);
    }
}

void TFtpClient::Connect()
{
    if (FtpPlainAllowed(settings_, login_.Host))
        WriteCommLog(settings_, "FTP without TLS to " + login_.Host + " (FtpPlainHosts)");
    prepare("");
    curl_easy_setopt(handle(curl_), CURLOPT_NOBODY, 1L);
    perform("FTP logon to " + login_.Host);
}

bool TFtpClient::FolderExists(const std::string& folder)
{
    prepare(folder + "/");
    curl_easy_setopt(handle(curl_), CURLOPT_NOBODY, 1L);
    try {
        perform("FTP folder " + folder);
    } catch (const TFtpError& e) {
        if (e.CurlCode == CURLE_REMOTE_ACCESS_DENIED)
            return false;
        throw;
    }
    return true;
}

std::int64_t TFtpClient::Size(const std::string& path)
{
    prepare(path);
    CURL* c = handle(curl_);
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    try {
        perform("FTP size of " + path);
    } catch (const TFtpError& e) {
        if (e.CurlCode == CURLE_REMOTE_FILE_NOT_FOUND)
            return -1;
        throw;
    }
    curl_off_t size = -1;
    curl_easy_getinfo(c, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    return static_cast<std::int64_t>(size);
}

void TFtpClient::Put(const fs::path& local, const std::string& path)
{
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(local.c_str(), "rb"));
    if (!in)
        throw TFtpError("cannot read " + local.string(), CURLE_READ_ERROR, 0);
    std::error_code ec;
    const auto size = fs::file_size(local, ec);
    prepare(path);
    CURL* c = handle(curl_);
    // Large blocks: the default 16 KiB make the data channel wait on the
    // client for a file of many megabytes.
    std::setvbuf(in.get(), nullptr, _IOFBF, TransferBuffer);
    curl_easy_setopt(c, CURLOPT_UPLOAD_BUFFERSIZE, static_cast<long>(TransferBuffer));
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READDATA, in.get());
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(ec ? -1 : static_cast<std::int64_t>(size)));
    perform("FTP upload of " + path);
}

void TFtpClient::Get(const std::string& path, const fs::path& local)
{
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(local.c_str(), "wb"));
    if (!out)
        throw TFtpError("cannot write " + local.string(), CURLE_WRITE_ERROR, 0);
    std::setvbuf(out.get(), nullptr, _IOFBF, TransferBuffer);
    prepare(path);
    curl_easy_setopt(handle(curl_), CURLOPT_BUFFERSIZE, static_cast<long>(CURL_MAX_READ_SIZE));
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEFUNCTION, nullptr);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEDATA, out.get());
    perform("FTP download of " + path);
    if (std::fclose(out.release()) != 0)
        throw TFtpError("cannot write " + local.string(), CURLE_WRITE_ERROR, 0);
}

void TFtpClient::Rename(const std::string& from, const std::string& to)
{
    std::unique_ptr<curl_slist, SlistFree> commands(curl_slist_append(nullptr, ("RNFR /" + from).c_str()));
    curl_slist_append(commands.get(), ("RNTO /" + to).c_str());
    prepare("");
    CURL* c = handle(curl_);
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(c, CURLOPT_QUOTE, commands.get());
    perform("FTP rename of " + from + " to " + to);
}

void TFtpClient::Delete(const std::string& path)
{
    std::unique_ptr<curl_slist, SlistFree> commands(curl_slist_append(nullptr, ("DELE /" + path).c_str()));
    prepare("");
    CURL* c = handle(curl_);
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(c, CURLOPT_QUOTE, commands.get());
    perform("FTP delete of " + path);
}

} // namespace vq::comm
