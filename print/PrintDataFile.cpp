#include "print/PrintDataFile.h"

#include "platform/Cp932.h"
#include "print/PrintColors.h"

#include <cstring>
#include <fstream>
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

PrintText::PrintText(std::string bytes) : bytes_(std::move(bytes)) {}

PrintText PrintText::load(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot open " + file.string());
    const auto size = static_cast<std::streamoff>(in.tellg());
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        throw std::runtime_error("cannot read " + file.string());
    return PrintText(std::move(bytes));
}

std::string_view PrintText::readLine()
{
    if (atEnd())
        return {};
    const char* base = bytes_.data();
    std::size_t end = pos_;
    while (end < bytes_.size() && base[end] != '\n' && base[end] != '\r')
        ++end;
    std::string_view line(base + pos_, end - pos_);
    if (end < bytes_.size() && base[end] == '\r')
        ++end;
    if (end < bytes_.size() && base[end] == '\n')
        ++end;
    pos_ = end;
    return line;
}

namespace {

// Calls onPageEnd(offset after the line) for every page-end line; lines end
// at CR LF, LF or a lone CR, as readLine() cuts them.
template <typename F>
void scanPageEnds(std::string_view bytes, F onPageEnd)
{
    const char* base = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        std::size_t lineStart = i;
        while (i < size && base[i] != '\n' && base[i] != '\r')
            ++i;
        std::size_t lineEnd = i;
        if (i < size && base[i] == '\r')
            ++i;
        if (i < size && base[i] == '\n')
            ++i;
        if (lineEnd > lineStart && isPageEnd(std::string_view(base + lineStart, lineEnd - lineStart)))
            onPageEnd(i);
    }
}

} // namespace

const std::vector<std::size_t>& PrintText::pageStarts()
{
    if (!indexed_) {
        pageStarts_.assign(1, 0);
        scanPageEnds(bytes_, [this](std::size_t next) { pageStarts_.push_back(next); });
        indexed_ = true;
    }
    return pageStarts_;
}

int countPagesOf(std::string_view bytes)
{
    int pages = 1;
    scanPageEnds(bytes, [&pages](std::size_t) { ++pages; });
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
    while (!f.atEnd()) {
        std::string_view line = f.readLine();
        if (!line.empty() && line[0] == '*')
            continue;
        if (isPageEnd(line)) {
            list.push_back(current);
            current = defaultOrientation;
            continue;
        }
        if (line.empty() || (line[0] != 'O' && line[0] != 'o'))
            continue;
        // The last field of a line that does not end with ';' reads as empty.
        auto fields = splitFields(line);
        if (!line.empty() && line.back() != ';' && !fields.empty())
            fields.back() = {};
        if (!fields.empty() && upperAscii(fields[0]) == "ORIENTATION")
            current = parseNumber(fields.size() > 1 ? fields[1] : std::string_view{}, defaultOrientation);
    }
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
