#include "print/PrintEngine.h"

#include "platform/Interaction.h"
#include "print/PrintDataFile.h"

namespace vq::print {

TPrintEngine& printEngine()
{
    static TPrintEngine engine;
    return engine;
}

namespace {

bool isOrientationOrLine(std::string_view line)
{
    return line.find("ORIENTATION") != std::string_view::npos || line.find("LINE") != std::string_view::npos;
}

} // namespace

int CountPages(TPrintEngine& engine, const std::string& file, bool rebuild)
{
    if (file.empty())
        return 1;
    std::error_code ec;
    const std::filesystem::path path(file);
    if (!std::filesystem::exists(path, ec)) {
        platform::showMessage("<" + file + "> が見つかりません。", platform::MessageKind::Error);
        return 1;
    }
    if (!rebuild)
        return countPagesOfFile(path);
    PrintText text = PrintText::load(path);
    rebuildPageNumbers(engine, text);
    // The numbering read every page already; without it one byte scan counts.
    return engine.Job.PageBango.Switch ? static_cast<int>(engine.PageNoList.size()) : countPagesOfFile(path);
}

void rebuildPageNumbers(TPrintEngine& engine, PrintText& text)
{
    engine.PageNoList.clear();
    if (!engine.Job.PageBango.Switch) {
        // Nothing is numbered: the list stays empty and the total is 0.
        engine.PageNoTotal = 0;
        return;
    }
    int running = 1;
    // Lines of the page so far, and whether the first is a lone orientation or rule.
    int lines = 0;
    bool firstIsRule = false;
    auto enter = [&] {
        if (lines == 0 || (lines == 1 && firstIsRule)) {
            engine.PageNoList.emplace_back("0");
        } else {
            engine.PageNoList.push_back(std::to_string(running));
            ++running;
        }
        lines = 0;
    };
    const std::size_t saved = text.position();
    text.rewind();
    while (!text.atEnd()) {
        std::string_view line = text.readLine();
        if (isPageEnd(line)) {
            enter();
        } else {
            if (lines == 0)
                firstIsRule = isOrientationOrLine(line);
            ++lines;
        }
    }
    enter();
    text.seek(saved);
    engine.PageNoTotal = running - 1;
}

void PreviewPageCount(TPrintEngine& engine)
{
    const int f = CountPages(engine, engine.JobFormFile, false);
    const int d = CountPages(engine, engine.JobDataFile, true);
    int total = f;
    if (f < d)
        total = (d + f - 1) / f * f;
    engine.PreviewPageTotal = total;
    engine.PreviewCurrentPage = 1;
}

std::string formatPageNumber(const std::string& format, int page, int total)
{
    std::string out;
    int used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            char next = format[i + 1];
            if (next == 'd' || next == 'D') {
                out += std::to_string(used++ == 0 ? page : total);
                ++i;
                continue;
            }
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

int pageFormatCount(const std::string& format)
{
    int count = 0;
    for (std::size_t i = 0; i + 1 < format.size(); ++i)
        if (format[i] == '%' && (format[i + 1] == 'd' || format[i + 1] == 'D'))
            ++count;
    return count;
}

} // namespace vq::print
