#pragma once
// Internal to vq_db: access to the Firebird master interface, status
// handling and the value conversions shared by statements and fields.
// Not for callers outside platform/db (it pulls in the Firebird headers).
#include <firebird/Interface.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/db/DbError.h"

namespace vq::db::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// A status object for one or more calls; throws FbException on error.
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &wrapper_; }
    Firebird::ThrowStatusWrapper* get() { return &wrapper_; }

private:
    Firebird::IStatus* status_;
    Firebird::ThrowStatusWrapper wrapper_;
};

// Text the engine reports (messages, service output) as UTF-8. Names and
// values from the database come in the connection character set (CP932),
// file names as the UTF-8 they were given in; CP932 Japanese text is next to
// never valid UTF-8, so text that is valid UTF-8 stays as it is.
std::string engineText(std::string_view text);

// The DbError of a Firebird status (codes, SQL code, formatted message).
DbError toDbError(const Firebird::IStatus* status);
[[noreturn]] void rethrow(const Firebird::FbException& e);

// Runs call, turning a Firebird exception into DbError (fb::rethrow).
template <class Call>
decltype(auto) translated(Call&& call)
{
    try {
        return call();
    } catch (const Firebird::FbException& e) {
        rethrow(e);
    }
}

// Ends a handle's life through end (detach, rollback: both release the handle
// on success). When that fails the connection is gone and the server cleans
// up by itself, so the handle is only released. Leaves handle null.
template <class Handle, class End>
void endQuietly(Handle*& handle, End end) noexcept
{
    try {
        Status st;
        end(handle, st.get());
    } catch (const Firebird::FbException&) {
        handle->release();
    }
    handle = nullptr;
}

// Held around every call that hands a file name to the engine. The engine
// turns UTF-8 file names into "the system's" character set, which it takes
// once, at its first such call, from the calling thread's LC_CTYPE; a
// program still in the "C" locale would have every non-ASCII path (a folder
// named in Japanese) refused. File names are UTF-8 here, so the calling
// thread runs in C.UTF-8 for the call, and the engine passes them through.
class Utf8FileNames {
public:
    Utf8FileNames();
    ~Utf8FileNames();
    Utf8FileNames(const Utf8FileNames&) = delete;
    Utf8FileNames& operator=(const Utf8FileNames&) = delete;

private:
    void* previous_ = nullptr;   // locale_t
};

// SQL text for the server: CP932, refusing characters CP932 cannot hold.
std::string sqlText(std::string_view utf8);

// Charset ids of the character sets we meet.
inline constexpr unsigned kCharsetNone = 0;
inline constexpr unsigned kCharsetOctets = 1;
inline constexpr unsigned kCharsetSjis0208 = 5;

// Day numbers: days since 1899-12-30 with the time of day as fraction.
// ISC_DATE counts from 1858-11-17.
inline constexpr int kIscDateOfDayZero = 15018;
int isoToIscDate(int year, int month, int day);
double dayFromIsc(ISC_DATE date, ISC_TIME time = 0);
ISC_DATE iscDateFromDay(double dayNumber);
ISC_TIME iscTimeFromDay(double dayNumber);

// Builds a DPB/TPB/SPB and keeps it alive.
class Xpb {
public:
    explicit Xpb(unsigned kind);
    ~Xpb();
    Xpb(const Xpb&) = delete;
    Xpb& operator=(const Xpb&) = delete;
    Xpb& tag(unsigned char t);
    Xpb& integer(unsigned char t, int value);
    Xpb& string(unsigned char t, std::string_view value);
    unsigned length();
    const unsigned char* data();

private:
    Firebird::IXpbBuilder* builder_;
};

} // namespace vq::db::fb
