#include "print/PrintDataFile.h"

#include "platform/Cp932.h"
#include "print/PrintColors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <stdexcept>

namespace vq::print {

bool isPageEnd(std::string_view line)
{
    if (line.empty() || (line[0] != 'E' && line[0] != 'e'))
        return false;
    return line.size() == 1 || line[1] == ';';
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t semi = line.find(';', start);
        if (semi == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, semi - start));
        start = semi + 1;
    }
    return fields;
}

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

struct PrintText::File {
    int fd = -1;
    ~File()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

PrintText::PrintText(std::string bytes) : buffer_(std::move(bytes)), size_(buffer_.size()) {}

PrintText::PrintText(PrintText&&) noexcept = default;
PrintText& PrintText::operator=(PrintText&&) noexcept = default;
PrintText::~PrintText() = default;

PrintText PrintText::load(const std::filesystem::path& file)
{
    auto handle = std::make_shared<File>();
    handle->fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle->fd < 0)
        throw std::runtime_error("cannot open " + file.string());
    struct stat st {};
    if (::fstat(handle->fd, &st) != 0)
        throw std::runtime_error("cannot read " + file.string());
    PrintText text;
    text.file_ = std::move(handle);
    text.path_ = file;
    text.size_ = static_cast<std::size_t>(st.st_size);
    return text;
}

// Reads the piece of at least chunk_ bytes that starts at from (or up to the
// size the file had when it was opened) in place of the buffer.
void PrintText::fill(std::size_t from)
{
    buffer_.clear();
    bufferStart_ = from;
    extend();
}

void PrintText::extend()
{
    if (!file_)
        return; // everything is in memory
    const std::size_t from = bufferStart_ + buffer_.size();
    const std::size_t want = std::min(chunk_, size_ - from);
    const std::size_t old = buffer_.size();
    buffer_.resize(old + want);
    std::size_t got = 0;
    while (got < want) {
        const ssize_t n = ::pread(file_->fd, buffer_.data() + old + got, want - got, static_cast<off_t>(from + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const std::string reason = n < 0 ? std::strerror(errno) : "読み込み中にファイルが短くなりました。";
            buffer_.resize(old);
            throw std::runtime_error("ファイル \"" + path_.string() + "\" を読み込めません。" + reason);
        }
        got += static_cast<std::size_t>(n);
    }
}

std::string_view PrintText::readLine()
{
    if (pos_ >= size_)
        return {};
    if (pos_ < bufferStart_ || pos_ >= bufferStart_ + buffer_.size())
        fill(pos_);
    for (;;) {
        const std::size_t offset = pos_ - bufferStart_;
        const char* p = buffer_.data() + offset;
        const std::size_t avail = buffer_.size() - offset;
        const bool whole = bufferStart_ + buffer_.size() >= size_;
        const void* nl = std::memchr(p, '\n', avail);
        const std::size_t lfAt = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - p) : avail;
        // A CR before the LF belongs to it; one elsewhere ends a line of its own.
        if (const void* cr = std::memchr(p, '\r', lfAt)) {
            const auto crAt = static_cast<std::size_t>(static_cast<const char*>(cr) - p);
            if (crAt + 1 < avail || whole) {
                const bool crlf = crAt + 1 < avail && p[crAt + 1] == '\n';
                pos_ += crAt + (crlf ? 2 : 1);
                return {p, crAt};
            }
        } else if (nl) {
            pos_ += lfAt + 1;
            return {p, lfAt};
        } else if (whole) {
            pos_ = size_;
            return {p, avail};
        }
        // The line runs past the piece read: keep it and read on.
        buffer_.erase(0, offset);
        bufferStart_ = pos_;
        extend();
    }
}

bool PrintText::startsWith(std::string_view prefix)
{
    if (size_ < prefix.size())
        return false;
    if (bufferStart_ != 0 || buffer_.size() < prefix.size())
        fill(0);
    return std::string_view(buffer_).substr(0, prefix.size()) == prefix;
}

const std::vector<std::size_t>& PrintText::pageStarts()
{
    if (!indexed_) {
        const std::size_t saved = pos_;
        const std::size_t chunk = chunk_;
        chunk_ = std::max(chunk, std::size_t{1} << 20); // one scan of the whole file: big pieces
        std::vector<std::size_t> starts(1, 0);
        try {
            pos_ = 0;
            while (!atEnd())
                if (isPageEnd(readLine()))
                    starts.push_back(pos_);
        } catch (...) {
            chunk_ = chunk;
            pos_ = saved;
            throw;
        }
        chunk_ = chunk;
        pos_ = saved;
        if (file_) {
            buffer_.clear();
            buffer_.shrink_to_fit();
            bufferStart_ = 0;
        }
        pageStarts_ = std::move(starts);
        indexed_ = true;
    }
    return pageStarts_;
}

int countPagesOfFile(const std::filesystem::path& file)
{
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f)
        throw std::runtime_error("cannot open " + file.string());
    // The page-end rule as a state machine over pieces of the file.
    int pages = 1;
    bool atLineStart = true;
    bool pendingE = false; // the line so far is "E"
    std::vector<char> buffer(1 << 20);
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), f)) {
        for (std::size_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (pendingE) {
                pendingE = false;
                if (c == ';' || c == '\r' || c == '\n')
                    ++pages;
            }
            if (c == '\r' || c == '\n') {
                atLineStart = true;
            } else if (atLineStart) {
                atLineStart = false;
                pendingE = c == 'E' || c == 'e';
            }
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        throw std::runtime_error("cannot read " + file.string());
    return pages + (pendingE ? 1 : 0);
}

namespace {

// Calls onLine(line, offset after it) for every line from offset on, until it
// returns false; lines end at CR LF, LF or a lone CR, as readLine() cuts them.
template <typename F>
void forEachLine(std::string_view bytes, std::size_t offset, F onLine)
{
    const char* base = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = offset;
    while (i < size) {
        const void* nl = std::memchr(base + i, '\n', size - i);
        std::size_t lineEnd = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) : size;
        // A CR before the LF belongs to it; one elsewhere ends a line of its own.
        const void* cr = std::memchr(base + i, '\r', lineEnd - i);
        std::size_t next;
        if (cr && static_cast<const char*>(cr) - base + 1 < static_cast<std::ptrdiff_t>(lineEnd)) {
            lineEnd = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            next = lineEnd + 1;
        } else {
            next = nl ? lineEnd + 1 : size;
            if (cr)
                lineEnd = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
        }
        if (!onLine(std::string_view(base + i, lineEnd - i), next))
            return;
        i = next;
    }
}

} // namespace

int countPagesOf(std::string_view bytes)
{
    int pages = 1;
    forEachLine(bytes, 0, [&pages](std::string_view line, std::size_t) {
        pages += isPageEnd(line) ? 1 : 0;
        return true;
    });
    return pages;
}

bool SkipToPage(PrintText& f, int n, bool wrap)
{
    int passed = 0;
    bool readSince = false;
    while (passed < n - 1) {
        if (f.atEnd()) {
            // An empty file would wrap forever.
            if (!wrap || (!readSince && f.position() == 0))
                return false;
            f.rewind();
            ++passed;
            readSince = false;
            continue;
        }
        readSince = true;
        if (isPageEnd(f.readLine()))
            ++passed;
    }
    return true;
}

namespace {

// Reads f to the end of its page (or of the file): the page's orientation.
int readPageOrientation(PrintText& f, int defaultOrientation, bool& endedByMark)
{
    int current = defaultOrientation;
    endedByMark = false;
    while (!f.atEnd()) {
        const std::string_view line = f.readLine();
        if (line.empty() || line[0] == '*')
            continue;
        if (isPageEnd(line)) {
            endedByMark = true;
            break;
        }
        if (line[0] != 'O' && line[0] != 'o')
            continue;
        // The last field of a line that does not end with ';' reads as empty.
        auto fields = splitFields(line);
        if (line.back() != ';' && !fields.empty())
            fields.back() = {};
        if (!fields.empty() && upperAscii(fields[0]) == "ORIENTATION")
            current = parseNumber(fields.size() > 1 ? fields[1] : std::string_view{}, defaultOrientation);
    }
    return current;
}

} // namespace

std::vector<int> PageOrientationList(PrintText& f, int defaultOrientation)
{
    std::vector<int> list;
    for (bool more = true; more;)
        list.push_back(readPageOrientation(f, defaultOrientation, more));
    return list;
}

int orientationOfPage(PrintText& f, int defaultOrientation)
{
    bool more = false;
    return readPageOrientation(f, defaultOrientation, more);
}

std::string lineToUtf8(std::string_view cp932Line)
{
    bool ascii = true;
    for (unsigned char c : cp932Line)
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    return ascii ? std::string(cp932Line) : platform::cp932::toUtf8(cp932Line);
}

} // namespace vq::print
