#pragma once
// Reading the print-data format: records, fields, page ends and pages.
//
// One page-end rule serves every reader (renderer, form loader, page counter,
// page skipping, orientation list): a line is a page end when, ignoring case,
// it starts with "E;" or is exactly "E". Readers before disagreed on "E"
// without the semicolon, so the same file had different page counts in the
// preview and on the printer.
//
// A PrintText is an open print-data file (CP932 bytes) with a read position;
// it stands for the open text file the readers pass around. A file is read in
// pieces as the readers go, never mapped: a file that shrinks while it is read
// gives a read error (std::runtime_error) where a mapping would kill the
// program, and a report of any size costs one piece of memory.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vq::print {

bool isPageEnd(std::string_view line);

// The fields of a record line (UTF-8 or CP932; ';' never occurs inside a
// double-byte character). The final ';' closes the last field and adds none.
std::vector<std::string_view> splitFields(std::string_view line);

// ASCII upper case (keywords, names).
std::string upperAscii(std::string_view s);

class PrintText {
public:
    PrintText() = default;
    explicit PrintText(std::string bytes); // held in memory
    PrintText(const PrintText&) = delete;
    PrintText& operator=(const PrintText&) = delete;
    PrintText(PrintText&&) noexcept;
    PrintText& operator=(PrintText&&) noexcept;
    ~PrintText();
    // Opens file; its size now is the size read. Throws std::runtime_error
    // when it cannot be opened.
    static PrintText load(const std::filesystem::path& file);

    bool atEnd() const { return pos_ >= size_; }
    // Next line without its CR/LF; empty at the end. The view lasts until the
    // next read. Throws std::runtime_error ("ファイル "…" を読み込めません。"
    // and the reason) when the file cannot be read or has become shorter.
    std::string_view readLine();
    void rewind() { pos_ = 0; }
    std::size_t position() const { return pos_; }
    void seek(std::size_t pos) { pos_ = pos < size_ ? pos : size_; }
    std::size_t size() const { return size_; }
    // The file's name (empty for a text held in memory).
    const std::filesystem::path& path() const { return path_; }
    // Whether the text begins with prefix (reads it when needed).
    bool startsWith(std::string_view prefix);

    // Byte offset of the first line of every page (page 1 at 0); built by one
    // scan, so any page is reached without reading the ones before it.
    const std::vector<std::size_t>& pageStarts();

private:
    struct File;
    void fill(std::size_t from);
    void extend();

    std::shared_ptr<File> file_;   // null for a text in memory
    std::filesystem::path path_;
    std::string buffer_;           // bytes from bufferStart_ on
    std::size_t bufferStart_ = 0;
    std::size_t chunk_ = 64 * 1024;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::vector<std::size_t> pageStarts_;
    bool indexed_ = false;
};

// Number of pages: page ends + 1. A byte scan, no decoding.
int countPagesOf(std::string_view bytes);
// The same for a file, read in pieces (no copy of the whole file). Throws
// std::runtime_error when it cannot be read.
int countPagesOfFile(const std::filesystem::path& file);

// Positions f at the first line of page n (reading from where it stands,
// normally the top). With wrap the end of the file counts as a page end and
// reading starts again at the top. False when the file ended first.
bool SkipToPage(PrintText& f, int n, bool wrap);

// The orientation of every page (0 portrait, 1 landscape): ORIENTATION
// records set their page's, others take defaultOrientation. Lines starting
// with "*" are skipped; a line without its final ';' has an empty last field.
std::vector<int> PageOrientationList(PrintText& f, int defaultOrientation);

// The orientation of the page that starts at f's position (its ORIENTATION
// record, else defaultOrientation), by the rule of PageOrientationList; f is
// left after the page.
int orientationOfPage(PrintText& f, int defaultOrientation);

// CP932 line -> UTF-8.
std::string lineToUtf8(std::string_view cp932Line);

} // namespace vq::print
