#include "print/PageRenderer.h"

#include "platform/Cp932.h"
#include "print/ErrorLog.h"
#include "print/FormFields.h"
#include "print/PaperTable.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace vq::print {

int nearest(double v)
{
    // Far beyond any sheet, yet a sum of a few such values still fits an int:
    // a coordinate out of range lands off the paper instead of wrapping round.
    constexpr double kLimit = 1 << 24;
    if (!(v > -kLimit))
        return v != v ? 0 : -static_cast<int>(kLimit);
    if (v > kLimit)
        return static_cast<int>(kLimit);
    return static_cast<int>(std::nearbyint(v));
}

DrawTarget DrawTarget::atDpi(QPainter* painter, int dpi, bool onPrinter)
{
    DrawTarget t;
    t.painter = painter;
    t.onPrinter = onPrinter;
    t.dpi = dpi;
    t.xScale = t.yScale = dpi / 254.0;
    return t;
}

namespace {

QColor qcolor(std::int32_t c)
{
    auto v = static_cast<std::uint32_t>(c);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

// Windows MulDiv: rounds half away from zero.
int mulDiv(int a, int b, int c)
{
    const double v = std::round(static_cast<double>(a) * b / c);
    return nearest(v);
}

// The largest font drawn, in device pixels: a letter far taller than any
// sheet shows nothing more and costs the font engine minutes.
constexpr int kMaxFontPixels = 1 << 14;

Qt::PenStyle penStyleOf(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyleOf(int style)
{
    switch (style) {
    case 1: return Qt::NoBrush;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::FDiagPattern;
    case 5: return Qt::BDiagPattern;
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

// A font with what drawing asks of it on a device, measured once per thread:
// a page sets the same two or three fonts hundreds of times.
struct FontInfo {
    QFont font;
    QFontMetrics metrics;
    int ascent; // cellAscent
};

const FontInfo& fontInfo(const QFont& font, QPaintDevice* device)
{
    struct Entry {
        QString family;
        int pixels, dpi, flags;
        std::unique_ptr<FontInfo> info;
    };
    thread_local std::vector<Entry> cache;
    const int dpi = device ? device->logicalDpiY() : 0;
    const int flags = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                      (font.strikeOut() ? 8 : 0);
    for (const Entry& e : cache)
        if (e.pixels == font.pixelSize() && e.flags == flags && e.dpi == dpi && e.family == font.family())
            return *e.info;
    if (cache.size() >= 64)
        cache.clear();
    auto info = std::make_unique<FontInfo>(FontInfo{font, QFontMetrics(font, device), cellAscent(font, device)});
    cache.push_back({font.family(), font.pixelSize(), dpi, flags, std::move(info)});
    return *cache.back().info;
}

// The family a face is drawn with, looked up once per face and thread.
const QString& familyOf(const std::string& face)
{
    thread_local std::vector<std::pair<std::string, QString>> cache;
    for (const auto& [name, family] : cache)
        if (name == face)
            return family;
    if (cache.size() >= 64)
        cache.clear();
    cache.emplace_back(face, QString::fromStdString(FamilyOfFace(FontNameOf(face))));
    return cache.back().second;
}

// The characters of a UTF-8 text with their CP932 byte counts.
struct Char {
    QString text;
    int bytes;
};

std::vector<Char> charsOf(const std::string& utf8)
{
    std::vector<Char> out;
    const QString s = QString::fromStdString(utf8);
    for (int i = 0; i < s.size();) {
        int len = s.at(i).isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
        QString piece = s.mid(i, len);
        out.push_back({piece, static_cast<int>(platform::cp932::byteLength(piece.toStdString()))});
        i += len;
    }
    return out;
}

struct Fields {
    std::vector<std::string_view> f;
    std::string_view operator[](std::size_t i) const { return i < f.size() ? f[i] : std::string_view{}; }
    int num(std::size_t i, int fallback = 0) const { return parseNumber((*this)[i], fallback); }
    std::string str(std::size_t i) const { return std::string((*this)[i]); }
};

using Record = std::pair<std::string, Fields>;

// What the forms of one page may still cost, shared by the page and every
// form drawn on it.
struct PageBudget {
    std::vector<std::filesystem::path> files; // the page's file and the forms being drawn, outermost first
    int forms = 0;                            // forms drawn on the page so far
    int tints = 0;                            // tints drawn through an image
    bool told = false;                        // a refusal was logged for the page
};

// Tints drawn through an image on a device that cannot combine colours, per
// page: each draws the page again up to itself.
constexpr int kMaxImageTints = 64;

std::filesystem::path identityOf(const std::filesystem::path& file)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(file, ec);
    return ec ? file : p;
}

class PageDrawer {
public:
    PageDrawer(TPrintEngine& engine, PageKind kind, const DrawTarget& t, bool evenPage, int formPage, int offsetX,
               int offsetY, TFormFieldTables* fields, int depth, PageBudget& budget)
        : e_(engine), job_(engine.Job), kind_(kind), t_(t), p_(*t.painter), even_(evenPage),
          formPage_(TFormFieldTables::clampPage(formPage)), offX_(offsetX), offY_(offsetY), offX0_(offsetX),
          offY0_(offsetY), fields_(fields), fields0_(fields), depth_(depth), budget_(budget)
    {
    }

    bool run(PrintText& f);
    // Draws records up to (not including) limit, as run() draws them.
    void drawRecords(const std::vector<Record>& records, std::size_t limit);

private:
    void computeOrigin();
    bool canTint() const;
    QPainter::CompositionMode tintMode() const;
    int sx(double v) const;
    int sy(double v) const;
    int dx(int x) const { return nearest(x * t_.xScale); }
    int dy(int y) const { return nearest(y * t_.yScale); }
    QPoint at(int x, int y) const { return {sx(dx(x) + originX_ + offX_), sy(dy(y) + originY_ + offY_)}; }
    // The right and bottom edges lie outside the rectangle, as on every Windows device.
    QRect rectOf(int x1, int y1, int x2, int y2) const
    {
        const QPoint a = at(x1, y1), b = at(x2, y2);
        return QRect(a.x(), a.y(), b.x() - a.x(), b.y() - a.y()).normalized();
    }
    QColor color(std::string_view word, bool withKind = true) const
    {
        return qcolor(ColorOfName(word, withKind ? kind_ : PageKind::None, job_));
    }
    QPen penOf(int width, int style, const QColor& c) const;
    QFont fontOf(const std::string& face, int size, const FontStyle& style) const;
    int fontPixels(int size) const;

    void record(const std::string& keyword, const Fields& f);
    void fillRect(const Fields& f);
    void textRecord(const std::string& keyword, const Fields& f);
    void memo(const Fields& f);
    void maruMoji(const Fields& f);
    void form(const Fields& f);
    void refuse(const std::string& why);
    void tintThroughImage(const QRect& r, const QColor& c);
    void drawBelow(const DrawTarget& target, const QTransform& toImage, std::size_t limit);
    void image(const Fields& f);
    QPoint penPos();
    void setPenPos(QPoint at);
    void drawString(const QFont& font, int x, int y, const QString& s, const QColor& fg, bool opaque,
                    const QColor& bg);

    TPrintEngine& e_;
    const TP360DEF& job_;
    PageKind kind_;
    DrawTarget t_;
    QPainter& p_;
    bool even_;
    int formPage_;
    int offX_, offY_;
    int offX0_, offY0_;                            // as the page began
    TFormFieldTables* fields_;
    TFormFieldTables* fields0_;
    std::unique_ptr<TFormFieldTables> ownFields_; // loaded by a FORM record for this page
    int depth_;
    PageBudget& budget_;
    std::vector<std::string> lines_;               // the page read by run(); records_ views them
    std::vector<Record> ownRecords_;
    const std::vector<Record>* records_ = nullptr; // what drawRecords() draws
    std::size_t index_ = 0;                        // the record being drawn
    std::size_t filesDepth_ = 0;                   // budget_.files open while this page draws
    QTransform base_;                              // the painter's transform as the page began
    int originX_ = 0, originY_ = 0;
    int startLeft_ = 0, startTop_ = 0;
    int lowestRow_ = 0;
    QPoint penPos_;
    struct LastText {
        const FontInfo* info;
        QString text;
        int x, y;
    };
    std::optional<LastText> lastText_; // the text that moved the pen last
    QPen pen_{Qt::black, 0};
};

// Only the raster engine (images) combines colours for real; the PDF engine,
// which also stands behind the printers, claims raster operations and blend
// modes but paints over.
bool PageDrawer::canTint() const
{
    const QPaintEngine* engine = p_.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster && engine->hasFeature(QPaintEngine::RasterOpModes);
}

QPainter::CompositionMode PageDrawer::tintMode() const
{
    return QPainter::RasterOp_SourceAndDestination;
}

void PageDrawer::computeOrigin()
{
    const int l = e_.WorkLeftMargin + (even_ ? e_.WorkEvenShift : 0);
    const int top = e_.WorkTopMargin;
    const bool formLayer = kind_ == PageKind::Form;
    int x = l + (formLayer ? job_.FormLeftMargin : 0) + (t_.onPrinter ? job_.LeftCorrect : 0);
    int y = top + (formLayer ? job_.FormTopMargin : 0) + (t_.onPrinter ? job_.TopCorrect : 0);
    originX_ = nearest(t_.xScale * x);
    originY_ = nearest(t_.yScale * y);
}

int PageDrawer::sx(double v) const
{
    if ((kind_ == PageKind::SubForm && !job_.PrintFom) || e_.PaperHRatio == 0)
        return nearest(v);
    return nearest(v * e_.PaperHRatio * 0.001);
}

int PageDrawer::sy(double v) const
{
    if ((kind_ == PageKind::SubForm && !job_.PrintFom) || e_.PaperVRatio == 0)
        return nearest(v);
    return nearest(v * e_.PaperVRatio * 0.001);
}

QPen PageDrawer::penOf(int width, int style, const QColor& c) const
{
    QPen pen(c);
    pen.setStyle(penStyleOf(style));
    width = std::min(width, kMaxFontPixels); // a pen wider than any sheet covers it all the same
    // Width 0 and 1 are one device pixel, as a hairline pen is on every device.
    pen.setWidth(width <= 1 ? 0 : width);
    if (width > 1 && pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

int PageDrawer::fontPixels(int size) const
{
    const int pixels = e_.PaperVRatio == 1000 || e_.PaperVRatio == 0
                           ? mulDiv(size, t_.dpi, 72)
                           : nearest(static_cast<double>(size) * t_.dpi * e_.PaperVRatio * 0.001) / 72;
    return std::min(pixels, kMaxFontPixels);
}

QFont PageDrawer::fontOf(const std::string& face, int size, const FontStyle& style) const
{
    QFont font(familyOf(face));
    font.setPixelSize(std::max(1, fontPixels(size > 0 ? size : 10)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace

int cellAscent(const QFont& font, QPaintDevice* device)
{
    // The faces reports are made for (MS Mincho, MS Gothic) have a cell of
    // exactly the letter height: ascent and descent fill the em. The faces
    // that stand in for them reach further (IPA Mincho 1.1 em), which would
    // push the baseline down until a rule 3.4 mm under a 9-point text line
    // crosses its letters. So the stand-in's ascent and descent are scaled
    // into the em, and the text sits in its cell as it was laid out.
    const QFontMetricsF fm(font, device);
    const double cell = fm.ascent() + fm.descent();
    if (cell <= 0)
        return QFontMetrics(font, device).ascent();
    return nearest(font.pixelSize() * fm.ascent() / cell);
}

namespace {

void PageDrawer::drawString(const QFont& font, int x, int y, const QString& s, const QColor& fg, bool opaque,
                            const QColor& bg)
{
    const FontInfo& info = fontInfo(font, p_.device());
    if (opaque)
        p_.fillRect(QRect(x, y, info.metrics.horizontalAdvance(s), info.metrics.height()), bg);
    p_.setFont(info.font);
    p_.setPen(fg);
    p_.drawText(QPoint(x, y + info.ascent), s);
    // The pen ends at the text's right end; measured only when a record asks.
    lastText_ = LastText{&info, s, x, y};
}

QPoint PageDrawer::penPos()
{
    if (lastText_) {
        penPos_ = QPoint(lastText_->x + lastText_->info->metrics.horizontalAdvance(lastText_->text), lastText_->y);
        lastText_.reset();
    }
    return penPos_;
}

void PageDrawer::setPenPos(QPoint at)
{
    lastText_.reset();
    penPos_ = at;
}

bool PageDrawer::run(PrintText& f)
{
    e_.MessageText.clear();
    if (!f.path().empty())
        budget_.files.push_back(identityOf(f.path()));

    // The page's lines, with the page number first.
    std::vector<std::string>& lines = lines_;
    lines.clear();
    const bool numbering = kind_ == PageKind::Data && job_.PageBango.Switch &&
                           (job_.PageBango.FormatCount == 1 || job_.PageBango.FormatCount == 2);
    if (numbering) {
        const int index = e_.PageNoIndex;
        const std::string entry = index >= 1 && index <= static_cast<int>(e_.PageNoList.size())
                                      ? e_.PageNoList[static_cast<std::size_t>(index - 1)]
                                      : std::string("0");
        const int number = std::atoi(entry.c_str());
        if (number == 0) {
            lines.emplace_back("*");
        } else {
            const auto& b = job_.PageBango;
            lines.push_back("TEXT;" + std::to_string(b.Left) + ";" + std::to_string(b.Top) + ";" +
                            formatPageNumber(b.Format, number, e_.PageNoTotal) + ";" + b.FontName + ";" +
                            std::to_string(b.FontSize) + ";;黒;OFF;" + std::to_string(b.Alignment) + ";0;0;*AUTO*");
        }
    }
    bool fileEnded = true;
    std::string readFailure;
    try {
        while (!f.atEnd()) {
            std::string line = lineToUtf8(f.readLine());
            const bool end = isPageEnd(line);
            if (line.empty() || line.back() != ';')
                line += ';';
            std::erase(line, '"');
            lines.push_back(std::move(line));
            if (end) {
                fileEnded = false;
                break;
            }
        }
    } catch (const std::exception& ex) {
        // What was read is drawn; the page then ends with the read error.
        readFailure = ex.what();
        fileEnded = false;
    }
    // A closing fragment (the page number and at most an orientation or a
    // rule) is no page of its own: it gets no number.
    if (numbering && lines.size() < 3) {
        auto has = [&](std::size_t i, const char* s) { return lines[i].find(s) != std::string::npos; };
        if ((lines.size() == 1 && has(0, "*AUTO*")) ||
            (lines.size() == 2 && has(0, "*AUTO*") && (has(1, "ORIENTATION") || has(1, "LINE"))))
            lines[0].insert(0, "*");
    }

    ownRecords_.clear();
    ownRecords_.reserve(lines.size());
    for (const auto& line : lines) {
        Fields fl{splitFields(line)};
        ownRecords_.emplace_back(upperAscii(fl[0]), std::move(fl));
    }
    drawRecords(ownRecords_, ownRecords_.size());
    if (!readFailure.empty()) {
        e_.DrawFailure = "ImageOut.Read:" + readFailure;
        ErrorLog(e_.DrawFailure);
    }
    if (!f.path().empty())
        budget_.files.pop_back();
    return fileEnded;
}

void PageDrawer::drawRecords(const std::vector<Record>& records, std::size_t limit)
{
    records_ = &records;
    filesDepth_ = budget_.files.size();
    startLeft_ = e_.WorkLeftMargin;
    startTop_ = e_.WorkTopMargin;
    computeOrigin();
    lowestRow_ = (PaperMM(e_.PrinterPaper).height - 10) * 10;
    auto& pageFields = fields_->Fields[static_cast<std::size_t>(formPage_)];
    for (int i = 0; i <= 100; ++i)
        pageFields[static_cast<std::size_t>(i)].UseCount = 0;

    p_.save();
    base_ = p_.transform();
    p_.scale(t_.zoom / 10.0, t_.zoom / 10.0);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setRenderHint(QPainter::TextAntialiasing, true);
    setPenPos(QPoint(offX_, offY_));
    std::string current;
    try {
        // Filled backgrounds go under everything.
        for (const auto& [keyword, fl] : records)
            if (keyword == "FRECT" && fl.num(6) == 1) {
                current = keyword;
                p_.fillRect(rectOf(fl.num(1), fl.num(2), fl.num(3), fl.num(4)), color(fl[5]));
            }
        computeOrigin();
        for (index_ = 0; index_ < limit && index_ < records.size(); ++index_) {
            const auto& [keyword, fl] = records[index_];
            current = keyword;
            if (keyword == "E")
                break;
            record(keyword, fl);
        }
    } catch (const std::exception& ex) {
        e_.DrawFailure = "ImageOut.(" + current + "):" + ex.what();
        ErrorLog(e_.DrawFailure);
    } catch (...) {
        e_.DrawFailure = "ImageOut.(" + current + "):unknown failure";
        ErrorLog(e_.DrawFailure);
    }
    p_.restore();
    e_.WorkLeftMargin = startLeft_;
    e_.WorkTopMargin = startTop_;
}

void PageDrawer::record(const std::string& k, const Fields& f)
{
    if (k == "TEXT" || k == "NTEXT" || k == "UTEXT" || k == "VTEXT" || k == "@") {
        textRecord(k, f);
    } else if (k == "MEMO") {
        memo(f);
    } else if (k == "MARUMOJI") {
        maruMoji(f);
    } else if (k == "LINE" || k == "ELINE") {
        const int w = f.num(5, 1);
        pen_ = penOf(k == "LINE" ? nearest(w * t_.xScale) : nearest(w * 0.1 * t_.xScale), f.num(6), color(f[7]));
        p_.setPen(pen_);
        const QPoint a = at(f.num(1), f.num(2));
        const QPoint b = at(f.num(3), f.num(4));
        p_.drawLine(a, b);
        setPenPos(b);
    } else if (k == "BOX" || k == "RRECT" || k == "CIRCLE") {
        const bool box = k == "BOX";
        const std::size_t penAt = box ? 5 : k == "RRECT" ? 7 : 5;
        const int w = box ? f.num(5, 1) : f.num(penAt);
        pen_ = penOf(nearest(w * t_.xScale), f.num(penAt + 1), color(f[penAt + 2]));
        QBrush brush(color(f[penAt + 3], box), brushStyleOf(f.num(penAt + 4)));
        p_.setPen(pen_);
        p_.setBrush(brush);
        p_.setBackground(Qt::white);
        p_.setBackgroundMode(Qt::OpaqueMode);
        QRect r = rectOf(f.num(1), f.num(2), f.num(3), f.num(4));
        QRect inner(r.left(), r.top(), std::max(0, r.width() - 1), std::max(0, r.height() - 1));
        if (box) {
            p_.drawRect(inner);
        } else if (k == "RRECT") {
            const int cw = sx(nearest(f.num(5) * t_.xScale) + 1);
            const int ch = sy(nearest(f.num(6) * t_.yScale) + 1);
            p_.drawRoundedRect(inner, cw / 2.0, ch / 2.0, Qt::AbsoluteSize);
        } else {
            p_.drawEllipse(inner);
        }
        p_.setBackgroundMode(Qt::TransparentMode);
        p_.setBrush(Qt::NoBrush);
    } else if (k == "BP") {
        offX_ = dx(f.num(1));
        offY_ = dy(f.num(2));
        pen_ = penOf(nearest(f.num(3) * t_.xScale), f.num(4), color(f[5]));
        setPenPos(QPoint(sx(originX_ + offX_), sy(originY_ + offY_)));
    } else if (k == "LINEB") {
        p_.setPen(pen_);
        const QPoint b = at(f.num(1), f.num(2));
        p_.drawLine(penPos(), b);
        setPenPos(b);
    } else if (k == "SLINE") {
        pen_ = penOf(nearest(f.num(5) * t_.xScale), f.num(6), color(f[7]));
        QFont font = fontOf(FontNameOf(f[8]), f.num(9), FontStyle{});
        if (f.num(9) <= 0)
            font.setPixelSize(std::max(1, fontPixels(10)));
        const int group = QFontMetrics(font, p_.device()).horizontalAdvance(QStringLiteral("000"));
        p_.setPen(pen_);
        const double x = dx(f.num(1)) + originX_ + offX_;
        const int top = sy(dy(f.num(2)) + originY_ + offY_);
        const int bottom = sy(dy(f.num(3)) + originY_ + offY_);
        // The lines go leftwards from x: once one is off the sheet, so are
        // the rest, whatever the count says.
        for (long long n = 1; n <= f.num(4); ++n) {
            const int lx = sx(x - (static_cast<double>(n) * group + 1));
            if (lx < -pen_.width() - 1)
                break;
            p_.drawLine(QPoint(lx, top), QPoint(lx, bottom));
            if (group <= 0)
                break; // every further line falls on this one
        }
    } else if (k == "FRECT") {
        fillRect(f);
    } else if (k == "IMAGE") {
        image(f);
    } else if (k == "CHART") {
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(f.str(1)), ec))
            ErrorLog("ImageOut.(CHART):" + f.str(1) + " has no chart reader on this system");
    } else if (k == "FORM") {
        form(f);
    } else if (k == "LEFTMARGIN" || k == "TOPMARGIN") {
        const int n = f.num(1);
        if (n != 0) {
            (k == "LEFTMARGIN" ? e_.WorkLeftMargin : e_.WorkTopMargin) = (k == "LEFTMARGIN" ? startLeft_ : startTop_) + n;
            computeOrigin();
        }
    } else if (k == "MESSAGE") {
        if (t_.onPrinter)
            e_.MessageText = f.str(1);
    }
}

void PageDrawer::fillRect(const Fields& f)
{
    const int mode = f.num(6);
    if (mode == 1 || (mode != 0 && mode != 2))
        return;
    const QRect r = rectOf(f.num(1), f.num(2), f.num(3), f.num(4));
    const QColor c = color(f[5]);
    if (mode == 0) {
        p_.fillRect(r, c);
        return;
    }
    // A tint: the colour ANDed with what is drawn, inside the rectangle only,
    // so black text under a yellow tint stays black and white paper turns yellow.
    if (!canTint()) {
        tintThroughImage(r, c);
        return;
    }
    p_.save();
    p_.setClipRect(r, Qt::IntersectClip);
    p_.setCompositionMode(tintMode());
    p_.fillRect(r, c);
    p_.restore();
}

void PageDrawer::textRecord(const std::string& k, const Fields& f)
{
    // Values of the record, or of a variable field for "@".
    int x = 0, y = 0, size = 10, align = 0, width = 0, mode = 0, offset = 0;
    std::string text, face, style;
    QColor fg;
    std::int32_t back = kTransparent;
    const bool field = k == "@";
    if (field) {
        auto& page = fields_->Fields[static_cast<std::size_t>(formPage_)];
        int index = fields_->FindVariableField(formPage_, f[1]);
        const bool found = index >= 1 && index <= 200;
        TDataField& d = page[static_cast<std::size_t>(found ? index : 0)];
        x = d.X;
        y = d.Y;
        face = d.FontName;
        fg = qcolor(d.Color);
        back = d.Back;
        align = d.Align;
        width = d.Width;
        mode = d.Mode;
        size = f.num(3) != 0 ? f.num(3) : d.Size;
        style = !f[4].empty() ? f.str(4) : d.Style;
        offset = dy(f.num(5));
        text = f.str(2);
        if (!found || d.Name.empty() || (d.Once == 1 && d.UseCount > 0))
            text.clear();
        const int pitch = page[0].Width;
        if (pitch > 0) {
            y = std::min(y + d.UseCount * pitch, lowestRow_);
            ++d.UseCount;
        }
    } else {
        x = f.num(1);
        y = f.num(2);
        text = f.str(3);
        face = f.str(4);
        size = f.num(5, 10);
        style = upperAscii(f[6]);
        fg = color(f[7]);
        back = BackOfName(f[8], PageKind::None, job_);
        align = AlignCodeOf(f[9]);
        width = f.num(10);
        mode = f.num(11);
    }
    const FontStyle fs = FontStyleOf(style);
    QFont font = fontOf(face, size, fs);
    const int fontHeight = font.pixelSize();
    const int lift = mode == 1 ? nearest(std::abs(fontHeight) * 0.5 - 0.55) : 0;
    const bool opaque = isOpaqueBack(back);
    const QColor bg = qcolor(back);
    if (text.empty())
        return;

    QFontMetrics fm = fontInfo(font, p_.device()).metrics;
    const QString qtext = QString::fromStdString(text);
    const bool spread = k == "UTEXT" || (field && width > 0) || k == "VTEXT";
    const std::vector<Char> chars = spread ? charsOf(text) : std::vector<Char>{};
    auto alignedX = [&](int X) {
        if (align == 1)
            return X - nearest(fm.horizontalAdvance(qtext) / 2.0);
        if (align == 2)
            return X - fm.horizontalAdvance(qtext);
        if (mode == 1) {
            const qsizetype len = qtext.at(0).isHighSurrogate() && qtext.size() > 1 ? 2 : 1;
            return X - nearest(fm.horizontalAdvance(qtext.left(len)) * 0.5);
        }
        return X;
    };
    const int baseX = sx(offX_ + originX_);
    const int xPrime = alignedX(sx(dx(x)));
    int devY = dy(y);

    if (k == "UTEXT" || (field && width > 0)) {
        int bytes = 0;
        for (const auto& c : chars)
            bytes += c.bytes;
        double step = 0;
        if (chars.size() > 1) {
            const double lastWidth = fm.horizontalAdvance(chars.back().text) / t_.xScale;
            const int divisor = chars.back().bytes == 1 ? bytes - 1 : bytes - 2;
            if (divisor > 0)
                step = (width - lastWidth) / divisor;
        }
        if (field && fm.horizontalAdvance(chars.front().text) / t_.xScale > step) {
            --size;
            if (size > 0) {
                font.setPixelSize(std::max(1, fontPixels(size)));
                fm = fontInfo(font, p_.device()).metrics;
            }
        }
        if (step > 0) {
            double xr = x;
            for (const auto& c : chars) {
                drawString(font, sx(nearest(xr * t_.xScale) + offX_ + originX_), sy(offY_ + devY + originY_ - lift),
                           c.text, fg, opaque, bg);
                xr += c.bytes == 1 ? step : 2 * step;
            }
        } else {
            drawString(font, baseX + xPrime, sy(offY_ + devY + originY_), qtext, fg, opaque, bg);
        }
        return;
    }
    if (k == "VTEXT") {
        const double h = fm.height() / t_.yScale;
        const auto n = static_cast<int>(chars.size());
        const int step = n > 2 ? nearest((width - h) / (n - 1)) : width - nearest(h);
        if (step > 0) {
            int yv = y;
            for (const auto& c : chars) {
                const int cx = baseX + xPrime;
                const int cy = sy(offY_ + nearest(yv * t_.yScale) + originY_ - lift);
                if (c.text == QStringLiteral("ー")) {
                    // The vertical face's long vowel mark: "一" turned upright, a point smaller.
                    QFont vertical = fontOf(face, size - 1, fs);
                    QFontMetrics vm(vertical, p_.device());
                    const QString bar = QStringLiteral("一");
                    const int w = vm.horizontalAdvance(bar);
                    p_.save();
                    p_.translate(cx + w / 2.0, cy + vm.height() / 2.0);
                    p_.rotate(90);
                    p_.setFont(vertical);
                    p_.setPen(fg);
                    p_.drawText(QPointF(-w / 2.0, -vm.height() / 2.0 + vm.ascent()), bar);
                    p_.restore();
                } else {
                    drawString(font, cx, cy, c.text, fg, opaque, bg);
                }
                yv += step;
            }
        } else {
            drawString(font, baseX + xPrime, sy(offY_ + devY + originY_), qtext, fg, opaque, bg);
        }
        return;
    }

    // TEXT, NTEXT and "@" without a width.
    if (fs.doubleUnderline) {
        const int n = static_cast<int>(platform::cp932::byteLength(text));
        if (n >= 1 && n <= 126) {
            const int top = qtext.contains('\t') ? devY - (offset < 0 ? -offset : 0) : devY;
            drawString(font, baseX + xPrime, sy(offY_ + top + originY_ - lift + nearest(t_.yScale * 4)),
                       QString(n, ' '), fg, false, bg);
        }
    }
    if (qtext.contains('\t')) {
        if (offset < 0)
            devY -= -offset;
        const QStringList pieces = qtext.split('\t');
        const int h = fm.height();
        for (int i = 0; i < pieces.size(); ++i)
            if (!pieces[i].isEmpty())
                drawString(font, baseX + xPrime, sy(offY_ + devY + originY_ + i * h - lift), pieces[i], fg, opaque, bg);
        return;
    }
    const int drawX = x == 0 && !field ? penPos().x() : baseX + xPrime;
    const int drawY = y == 0 && !field ? penPos().y() : sy(offY_ + devY + originY_ - lift);
    drawString(font, drawX, drawY, qtext, fg, opaque, bg);
}

void PageDrawer::memo(const Fields& f)
{
    const int x1 = dx(f.num(1)), y1 = dy(f.num(2)), x2 = dx(f.num(3)), y2 = dy(f.num(4));
    const int border = f.num(6);
    const QColor fg = color(f[10]);
    QFont font = fontOf(f.str(7), f.num(8), FontStyleOf(upperAscii(f[9])));
    if (border >= 0) {
        p_.setPen(penOf(nearest(border * t_.xScale), 0, fg));
        p_.setBrush(Qt::white);
        p_.drawRect(QRect(QPoint(offX_ + x1 + originX_ - 5, offY_ + y1 + originY_ - 5),
                          QPoint(offX_ + x2 + originX_ + 5 - 1, offY_ + y2 + originY_ + 5 - 1)));
        p_.setBrush(Qt::NoBrush);
    }
    QFontMetrics fm(font, p_.device());
    const int h = fm.height();
    // Line k is drawn while it ends above the box's bottom; no more are wrapped.
    auto fits = [&](qsizetype k) { return static_cast<long long>(y1) + k * static_cast<long long>(h) < y2 - h; };
    QString text = QString::fromStdString(f.str(5));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    // A line's width is the sum of its characters' widths, each measured once,
    // so a long text wraps in time proportional to its length.
    QHash<QString, int> widths;
    auto widthOf = [&](const QString& c) {
        auto it = widths.find(c);
        if (it == widths.end())
            it = widths.insert(c, fm.horizontalAdvance(c));
        return *it;
    };
    QStringList wrapped;
    const QStringList paragraphs = text.split('\n');
    for (qsizetype p = 0; p < paragraphs.size() && fits(wrapped.size()); ++p) {
        const QString& paragraph = paragraphs[p];
        QString line;
        int lineWidth = 0;
        for (qsizetype i = 0; i < paragraph.size() && fits(wrapped.size());) {
            const qsizetype len = paragraph.at(i).isHighSurrogate() && i + 1 < paragraph.size() ? 2 : 1;
            const QString c = paragraph.mid(i, len);
            i += len;
            const int w = widthOf(c);
            if (!line.isEmpty() && lineWidth + w > x2 - x1) {
                wrapped << line;
                line.clear();
                lineWidth = 0;
            }
            line += c;
            lineWidth += w;
        }
        wrapped << line;
    }
    for (qsizetype k = 0; k < wrapped.size() && fits(k); ++k)
        if (!wrapped[k].isEmpty())
            drawString(font, sx(offX_ + x1 + originX_), sy(offY_ + y1 + static_cast<double>(k) * h + originY_),
                       wrapped[k], fg, false, fg);
}

void PageDrawer::maruMoji(const Fields& f)
{
    const std::string text = f.str(4);
    if (text.empty())
        return;
    const std::string style = upperAscii(f[7]);
    const QColor fg = color(f[8]);
    QFont font = fontOf(f.str(5), f.num(6, 10), FontStyleOf(style));
    const int r = nearest(f.num(3) * 0.5 * t_.yScale);
    const int cx = dx(f.num(1));
    const int cy = dy(f.num(2));
    QFontMetrics fm(font, p_.device());
    const QString q = QString::fromStdString(text);
    const int w = fm.horizontalAdvance(q);
    drawString(font, sx(offX_ + cx - nearest(w / 2.0) + originX_),
               sy(offY_ + cy + originY_ - nearest(std::abs(font.pixelSize()) * 0.5)), q, fg, false, fg);
    p_.setPen(penOf(style == "B" ? nearest(2 * t_.xScale) : nearest(1 * t_.xScale), 0, fg));
    p_.setBrush(Qt::NoBrush);
    const QPoint a(sx(offX_ + cx + originX_ - r), sy(offY_ + cy + originY_ - r));
    const QPoint b(sx(offX_ + cx + originX_ + r), sy(offY_ + cy + originY_ + r));
    p_.drawEllipse(QRect(a, b));
}

void PageDrawer::refuse(const std::string& why)
{
    // Once a page: a form that names itself would say so thousands of times.
    if (budget_.told)
        return;
    budget_.told = true;
    e_.DrawFailure = "ImageOut.(FORM):" + why;
    ErrorLog(e_.DrawFailure);
}

void PageDrawer::form(const Fields& f)
{
    if (!job_.PrintFom && t_.onPrinter)
        return;
    const std::filesystem::path file = std::filesystem::path(f.str(1));
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return;
    const std::filesystem::path identity = identityOf(file);
    for (const auto& open : budget_.files)
        if (open == identity) {
            refuse("the form " + f.str(1) + " is already being drawn (it names itself)");
            return;
        }
    if (depth_ >= kMaxFormDepth) {
        refuse("forms nest deeper than " + std::to_string(kMaxFormDepth) + " (" + f.str(1) + ")");
        return;
    }
    if (budget_.forms >= kMaxFormsPerPage) {
        refuse("a page draws at most " + std::to_string(kMaxFormsPerPage) + " forms (" + f.str(1) + ")");
        return;
    }
    ++budget_.forms;
    if (upperAscii(f[2]) == "TRUE") {
        // The fields load into a table of this page alone: the job form's
        // fields stay as they were for the next page.
        auto own = std::make_unique<TFormFieldTables>();
        HensuuYomikomi(*own, file, f.num(3), f.num(4), job_);
        ownFields_ = std::move(own);
        fields_ = ownFields_.get();
    }
    PrintText sub = PrintText::load(file);
    // The painter already carries this page's zoom.
    DrawTarget inner = t_;
    inner.zoom = 10;
    const std::size_t at = index_;
    inner.drawUnder = [this, at](const DrawTarget& target, const QTransform& toImage) {
        drawBelow(target, toImage, at);
    };
    PageDrawer drawer(e_, PageKind::SubForm, inner, even_, 0, dx(f.num(3)), dy(f.num(4)), fields_, depth_ + 1,
                      budget_);
    drawer.run(sub);
}

// A device without raster operations: what lies under the tint is drawn
// again into an image, the image is ANDed with the colour and put in place,
// so the paper turns the colour and what is drawn keeps its own, as on the
// screen.
void PageDrawer::tintThroughImage(const QRect& r, const QColor& c)
{
    if (budget_.tints >= kMaxImageTints) {
        if (!budget_.told) {
            budget_.told = true;
            ErrorLog("ImageOut.(FRECT):a page tints at most " + std::to_string(kMaxImageTints) + " times");
        }
        return;
    }
    ++budget_.tints;
    const QRect pixels = p_.transform().mapRect(QRectF(r)).toAlignedRect();
    if (pixels.isEmpty())
        return;
    // A tint as big as the sheet at most, at most 4096 pixels a side.
    const double shrink = std::min(1.0, 4096.0 / std::max(pixels.width(), pixels.height()));
    QImage under(std::max(1, nearest(pixels.width() * shrink)), std::max(1, nearest(pixels.height() * shrink)),
                 QImage::Format_RGB32);
    under.fill(Qt::white);
    {
        QPainter painter(&under);
        DrawTarget target = t_;
        target.painter = &painter;
        drawBelow(target, QTransform::fromScale(shrink, shrink).translate(-pixels.left(), -pixels.top()), index_);
    }
    const QRgb mask = c.rgb() | 0xFF000000u;
    for (int y = 0; y < under.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(under.scanLine(y));
        for (int x = 0; x < under.width(); ++x)
            line[x] &= mask;
    }
    p_.save();
    p_.setTransform(QTransform());
    p_.drawImage(QRectF(pixels), under);
    p_.restore();
}

// Draws what lies under record limit of this page - the page under it, then
// this page's records before it - onto target, whose painter maps this
// device through toImage. The engine's state is left as it was.
void PageDrawer::drawBelow(const DrawTarget& target, const QTransform& toImage, std::size_t limit)
{
    const std::string message = e_.MessageText;
    const std::string failure = e_.DrawFailure;
    const int left = e_.WorkLeftMargin, top = e_.WorkTopMargin;
    if (t_.drawUnder) {
        t_.drawUnder(target, toImage);
        e_.WorkLeftMargin = left;
        e_.WorkTopMargin = top;
    }
    target.painter->setTransform(base_ * toImage);
    DrawTarget again = target;
    again.drawUnder = nullptr;
    // The forms open around this page stay open; the ones it drew are drawn anew.
    PageBudget budget;
    budget.files.assign(budget_.files.begin(), budget_.files.begin() + static_cast<std::ptrdiff_t>(filesDepth_));
    budget.told = true;
    PageDrawer drawer(e_, kind_, again, even_, formPage_, offX0_, offY0_, fields0_, depth_, budget);
    e_.WorkLeftMargin = startLeft_;
    e_.WorkTopMargin = startTop_;
    drawer.drawRecords(*records_, limit);
    e_.WorkLeftMargin = left;
    e_.WorkTopMargin = top;
    e_.MessageText = message;
    e_.DrawFailure = failure;
}

void PageDrawer::image(const Fields& f)
{
    const std::string name = f.str(5);
    const std::filesystem::path file = std::filesystem::path(name);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return;
    const std::string ext = upperAscii(file.extension().string());
    if (ext == ".WMF" || ext == ".EMF") {
        ErrorLog("ImageOut.(IMAGE):" + name + " is a Windows metafile, which has no reader on this system");
        return;
    }
    if (ext != ".BMP" && ext != ".JPG")
        return;
    QImageReader reader(QString::fromStdString(file.string()));
    QImage picture = reader.read();
    if (picture.isNull())
        throw std::runtime_error(name + ": " + reader.errorString().toStdString());
    QRect r = rectOf(f.num(1), f.num(2), f.num(3), f.num(4));
    p_.save();
    if (f.num(6) != 0) {
        if (canTint()) {
            p_.setCompositionMode(tintMode());
        } else {
            // ANDing with white changes nothing: without the raster operation
            // the picture's white parts are simply left out.
            picture = picture.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < picture.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
                for (int x = 0; x < picture.width(); ++x)
                    if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                        line[x] = 0;
            }
        }
    }
    p_.drawImage(r, picture);
    p_.restore();
}

} // namespace

bool DrawPage(TPrintEngine& engine, PageKind kind, PrintText& f, const DrawTarget& target, bool evenPage,
              int formPage, int offsetX, int offsetY)
{
    PageBudget budget;
    PageDrawer drawer(engine, kind, target, evenPage, formPage, offsetX, offsetY, &engine.FormFields, 0, budget);
    return drawer.run(f);
}

} // namespace vq::print
