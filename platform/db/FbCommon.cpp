#include "platform/db/FbCommon.h"

#include <ibase.h>

#include <dlfcn.h>
#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/Cp932.h"
#include "platform/db/EmbeddedEngine.h"

namespace vq::db::fb {

using namespace Firebird;

namespace {

void settleFileNameCharset(IMaster* m);

// How long the engine may take at exit to end what still runs in it.
constexpr unsigned kExitShutdownMs = 20000;

// The embedded engine ends its own threads (a service's, the one of its
// shutdown) a moment after the work they did has been handed back. At exit
// the client library shuts the providers down and unloads the engine's
// module, and a thread that has not yet left the module's code then runs
// in unmapped memory: the process crashes after its work was done. The
// module is therefore held for the life of the process, so that unloading
// it only drops a reference; the providers are shut down in order, first,
// by the handler below.
void keepEngineModuleLoaded(const std::filesystem::path& root)
{
    for (const char* name : {"libEngine12.so", "libEngine13.so"}) {
        const auto module = root / "plugins" / name;
        if (::dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr)
            return;
    }
}

void shutDownAtExit()
{
    fb_shutdown(kExitShutdownMs, fb_shutrsn_exit_called);
}

} // namespace

IMaster* master()
{
    static IMaster* m = [] {
        const std::filesystem::path root = ensureEmbeddedEngine();
        IMaster* master = fb_get_master_interface();
        // The first attach loads the engine (and the plugins it uses, which
        // set up exit handlers of their own); this one is set up after them
        // and so runs before them.
        settleFileNameCharset(master);
        keepEngineModuleLoaded(root);
        std::atexit(shutDownAtExit);
        return master;
    }();
    return m;
}

IUtil* util()
{
    static IUtil* u = master()->getUtilInterface();
    return u;
}

Status::Status() : status_(master()->getStatus()), wrapper_(status_) {}

Status::~Status()
{
    status_->dispose();
}

namespace {

locale_t utf8Locale()
{
    static const locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l;
}

bool isUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        if (b < 0x80)
            n = 1;
        else if (b >= 0xC2 && b <= 0xDF)
            n = 2;
        else if (b >= 0xE0 && b <= 0xEF)
            n = 3;
        else if (b >= 0xF0 && b <= 0xF4)
            n = 4;
        else
            return false;
        if (i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

// The engine picks the character set it turns UTF-8 file names into once,
// at its first file-name call, from the locale of the thread that makes it.
// A service action (backup, validation) runs in a thread of the engine's
// own, in the process's locale, so were it the first, every Japanese path
// would be refused for good. An attach of a file that does not exist, made
// here under Utf8FileNames before anything else, settles it as UTF-8.
void settleFileNameCharset(IMaster* m)
{
    Utf8FileNames utf8;
    IStatus* status = m->getStatus();
    CheckStatusWrapper st(status);
    IProvider* provider = m->getDispatcher();
    IXpbBuilder* dpb = m->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    if (dpb && !(st.getState() & IStatus::STATE_ERRORS)) {
        dpb->insertTag(&st, isc_dpb_utf8_filename);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        IAttachment* a = provider->attachDatabase(&st, "/\xE3\x83\x87/\xE3\x83\x87.fdb",
                                                  dpb->getBufferLength(&st), dpb->getBuffer(&st));
        if (a)
            a->detach(&st);
        dpb->dispose();
    }
    provider->release();
    status->dispose();
}

} // namespace

std::string engineText(std::string_view text)
{
    return isUtf8(text) ? std::string(text) : platform::cp932::toUtf8(text);
}

Utf8FileNames::Utf8FileNames()
{
    const locale_t utf8 = utf8Locale();
    if (utf8 && std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        previous_ = uselocale(utf8);
}

Utf8FileNames::~Utf8FileNames()
{
    if (previous_)
        uselocale(static_cast<locale_t>(previous_));
}

DbError toDbError(const IStatus* status)
{
    const intptr_t* v = status->getErrors();
    std::vector<std::int64_t> codes;
    for (const intptr_t* p = v; p && *p != isc_arg_end;) {
        switch (*p) {
        case isc_arg_gds:
            codes.push_back(p[1]);
            p += 2;
            break;
        case isc_arg_cstring:
            p += 3;
            break;
        default:   // string, number, interpreted, sql_state, warning...: tag + one value
            p += 2;
            break;
        }
    }
    const int sqlCode = v ? static_cast<int>(isc_sqlcode(v)) : 0;
    std::string text(4096, '\0');
    const unsigned n = util()->formatStatus(text.data(), static_cast<unsigned>(text.size()),
                                            const_cast<IStatus*>(status));
    text.resize(std::min<std::size_t>(n, text.size()));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0'))
        text.pop_back();
    text = engineText(text);
    const std::int64_t first = codes.empty() ? 0 : codes.front();
    return DbError(std::move(text), first, sqlCode, std::move(codes));
}

void rethrow(const FbException& e)
{
    throw toDbError(e.getStatus());
}

std::string sqlText(std::string_view utf8)
{
    try {
        return platform::cp932::fromUtf8(utf8, true);
    } catch (const platform::cp932::EncodingError& e) {
        throw DbError(std::string("SQL text has a character outside CP932: ") + e.what());
    }
}

int isoToIscDate(int year, int month, int day)
{
    return static_cast<int>(util()->encodeDate(static_cast<unsigned>(year), static_cast<unsigned>(month),
                                               static_cast<unsigned>(day)));
}

double dayFromIsc(ISC_DATE date, ISC_TIME time)
{
    const double day = static_cast<double>(date) - kIscDateOfDayZero;
    const double fraction = static_cast<double>(time) / (86400.0 * ISC_TIME_SECONDS_PRECISION);
    // A day number before day zero keeps its time as a positive fraction
    // counted away from zero (-1.25 is 1899-12-29 06:00), as the Windows
    // programs store it.
    return day < 0 ? day - fraction : day + fraction;
}

namespace {

// A day number as its ISC date and time. The time is rounded as a whole to
// the server's 1/10,000 second, so a value a hair below midnight (45000.99999999999,
// what arithmetic on day numbers produces) is the next day at 00:00, not
// 23:59:59.9999 of the day before. The date counts away from zero with the
// carry, as the fraction of a negative day number does.
ISC_TIMESTAMP splitDay(double dayNumber)
{
    const double whole = std::trunc(dayNumber);
    const long long perDay = 86400LL * ISC_TIME_SECONDS_PRECISION;
    long long t = std::llround(std::fabs(dayNumber - whole) * static_cast<double>(perDay));
    double date = whole;
    if (t >= perDay) {
        t -= perDay;
        date += dayNumber < 0 ? -1 : 1;
    }
    return {static_cast<ISC_DATE>(date + kIscDateOfDayZero), static_cast<ISC_TIME>(t)};
}

} // namespace

ISC_DATE iscDateFromDay(double dayNumber)
{
    return splitDay(dayNumber).timestamp_date;
}

ISC_TIME iscTimeFromDay(double dayNumber)
{
    return splitDay(dayNumber).timestamp_time;
}

Xpb::Xpb(unsigned kind)
{
    Status st;
    try {
        builder_ = util()->getXpbBuilder(&st, kind, nullptr, 0);
    } catch (const FbException& e) {
        rethrow(e);
    }
}

Xpb::~Xpb()
{
    builder_->dispose();
}

Xpb& Xpb::tag(unsigned char t)
{
    Status st;
    try {
        builder_->insertTag(&st, t);
    } catch (const FbException& e) {
        rethrow(e);
    }
    return *this;
}

Xpb& Xpb::integer(unsigned char t, int value)
{
    Status st;
    try {
        builder_->insertInt(&st, t, value);
    } catch (const FbException& e) {
        rethrow(e);
    }
    return *this;
}

Xpb& Xpb::string(unsigned char t, std::string_view value)
{
    Status st;
    try {
        builder_->insertBytes(&st, t, value.data(), static_cast<unsigned>(value.size()));
    } catch (const FbException& e) {
        rethrow(e);
    }
    return *this;
}

unsigned Xpb::length()
{
    Status st;
    try {
        return builder_->getBufferLength(&st);
    } catch (const FbException& e) {
        rethrow(e);
    }
}

const unsigned char* Xpb::data()
{
    Status st;
    try {
        return builder_->getBuffer(&st);
    } catch (const FbException& e) {
        rethrow(e);
    }
}

} // namespace vq::db::fb
