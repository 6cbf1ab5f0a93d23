#include "print/PrintDataFile.h"

#include "platform/Cp932.h"
#include "print/PrintColors.h"

#include <cstring>
#include <cstdio>

#include <fcntl.h>
#include <sys/mman.h>
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

PrintText::PrintText(std::string bytes)
{
    auto owned = std::make_shared<const std::string>(std::move(bytes));
    bytes_ = *owned;
    storage_ = std::move(owned);
}

PrintText PrintText::load(const std::filesystem::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + file.string());
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot read " + file.string());
    }
    PrintText text;
    if (st.st_size > 0) {
        // Mapped, not copied: a big report is paged in as it is read, which
        // costs far less than filling a buffer of its size.
        const auto size = static_cast<std::size_t>(st.st_size);
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            text.storage_ = std::shared_ptr<const void>(map, [size](const void* p) { ::munmap(const_cast<void*>(p), size); });
            text.bytes_ = std::string_view(static_cast<const char*>(map), size);
        }
    }
    ::close(fd);
    if (!text.storage_ && st.st_size > 0)
        throw std::runtime_error("cannot read " + file.string());
    return text;
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

std::string_view PrintText::readLine()
{
    std::string_view result;
    forEachLine(bytes_, pos_, [&](std::string_view line, std::size_t next) {
        result = line;
        pos_ = next;
        return false;
    });
    return result;
}

const std::vector<std::size_t>& PrintText::pageStarts()
{
    if (!indexed_) {
        pageStarts_.assign(1, 0);
        forEachLine(bytes_, 0, [this](std::string_view line, std::size_t next) {
            if (isPageEnd(line))
                pageStarts_.push_back(next);
            return true;
        });
        indexed_ = true;
    }
    return pageStarts_;
}

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

std::vector<int> PageOrientationList(PrintText& f, int defaultOrientation)
{
    std::vector<int> list;
    int current = defaultOrientation;
    forEachLine(f.bytes(), f.position(), [&](std::string_view line, std::size_t next) {
        f.seek(next);
        if (line.empty() || line[0] == '*')
            return true;
        if (isPageEnd(line)) {
            list.push_back(current);
            current = defaultOrientation;
            return true;
        }
        if (line[0] != 'O' && line[0] != 'o')
            return true;
        // The last field of a line that does not end with ';' reads as empty.
        auto fields = splitFields(line);
        if (line.back() != ';' && !fields.empty())
            fields.back() = {};
        if (!fields.empty() && upperAscii(fields[0]) == "ORIENTATION")
            current = parseNumber(fields.size() > 1 ? fields[1] : std::string_view{}, defaultOrientation);
        return true;
    });
    list.push_back(current);
    return list;
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
