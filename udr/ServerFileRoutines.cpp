// Routines of the database server that work on its own file system: the
// system database's file and folder procedures and the file-transfer
// database's file-to-blob and blob-to-file functions. A client in
// client/server mode has no other way to see or move the data sets and
// backups that lie on the server's machine.
//
// The server loads this library as a UDR module ("vqfileops"); the schema
// declares each routine with EXTERNAL NAME 'vqfileops!<name>'. Paths arrive
// as UTF-8 (the routines' parameters are declared CHARACTER SET UTF8) and
// must be absolute: a relative path would depend on the server's working
// folder. Every write goes to a temporary file renamed into place, so a
// failure never leaves a half-written file under the final name.
//
// A client may send any path, so every path is confined to the office roots
// named in "vqfileops-roots.conf" beside this module (OfficeRoots.h: one
// absolute folder a line, '#' starts a comment), read once when the server
// loads the module. Without roots every routine is refused with an error; a
// path outside them is refused with an error, and a root itself is never
// written, moved or removed. The routines act on the resolved path only.
#include <dlfcn.h>
#include <firebird/Interface.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "OfficeRoots.h"

namespace {

using namespace Firebird;
namespace fs = std::filesystem;
using Status = ThrowStatusWrapper;
using vq::udr::OfficeRoots;
using vq::udr::PathUse;

// Set once when the server loads the module, read-only afterwards.
OfficeRoots officeRoots;
std::string rootsFile;

[[noreturn]] void fail(Status* status, const std::string& message)
{
    const ISC_STATUS vector[] = {isc_arg_gds, isc_random, isc_arg_string,
                                 reinterpret_cast<ISC_STATUS>(message.c_str()), isc_arg_end};
    status->setErrors(vector);
    Status::checkException(status);
    throw std::logic_error(message);   // not reached: checkException throws
}

// One message (input or output) of a routine, read and written by field
// index through the routine's own metadata.
class Message {
public:
    Message(Status* status, IMessageMetadata* metadata, void* buffer)
        : status_(status), metadata_(metadata), buffer_(static_cast<unsigned char*>(buffer))
    {
    }

    bool isNull(unsigned index) const
    {
        return *reinterpret_cast<const short*>(buffer_ + metadata_->getNullOffset(status_, index)) != 0;
    }
    void setNull(unsigned index, bool null)
    {
        *reinterpret_cast<short*>(buffer_ + metadata_->getNullOffset(status_, index)) = null ? -1 : 0;
    }

    std::string text(unsigned index) const
    {
        if (isNull(index))
            return {};
        const unsigned char* p = buffer_ + metadata_->getOffset(status_, index);
        switch (metadata_->getType(status_, index) & ~1u) {
        case SQL_VARYING: {
            unsigned short length = 0;
            std::memcpy(&length, p, sizeof length);
            return std::string(reinterpret_cast<const char*>(p + 2), length);
        }
        case SQL_TEXT: {
            std::string s(reinterpret_cast<const char*>(p), metadata_->getLength(status_, index));
            s.erase(s.find_last_not_of(' ') + 1);
            return s;
        }
        default:
            fail(status_, "text parameter expected");
        }
    }

    void setText(unsigned index, const std::string& value)
    {
        unsigned char* p = buffer_ + metadata_->getOffset(status_, index);
        const unsigned capacity = metadata_->getLength(status_, index);
        if (value.size() > capacity)
            fail(status_, "text longer than its parameter");
        if ((metadata_->getType(status_, index) & ~1u) != SQL_VARYING)
            fail(status_, "varying text parameter expected");
        const auto length = static_cast<unsigned short>(value.size());
        std::memcpy(p, &length, sizeof length);
        std::memcpy(p + 2, value.data(), value.size());
        setNull(index, false);
    }

    void setInteger(unsigned index, int value)
    {
        if ((metadata_->getType(status_, index) & ~1u) != SQL_LONG)
            fail(status_, "integer parameter expected");
        std::memcpy(buffer_ + metadata_->getOffset(status_, index), &value, sizeof value);
        setNull(index, false);
    }

    ISC_QUAD* blobId(unsigned index) { return reinterpret_cast<ISC_QUAD*>(buffer_ + metadata_->getOffset(status_, index)); }

private:
    Status* status_;
    IMessageMetadata* metadata_;
    unsigned char* buffer_;
};

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// The resolved form of path for that use; anything outside the office roots
// raises an error, so a client learns that it was refused rather than that
// a file is missing.
fs::path officePath(Status* status, const std::string& path, PathUse use)
{
    if (officeRoots.empty())
        fail(status, "vqfileops: no office roots are configured in " + rootsFile +
                         "; every server file routine is refused");
    if (auto resolved = officeRoots.confine(path, use))
        return *std::move(resolved);
    fail(status, "vqfileops: refused, not inside the office roots: " + path);
}

fs::path temporaryBeside(const fs::path& target)
{
    return target.string() + ".vqpart";
}

// Copies source onto target through a temporary file in target's folder.
bool copyFile(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_regular_file(source, ec))
        return false;
    fs::create_directories(target.parent_path(), ec);
    const fs::path temporary = temporaryBeside(target);
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(temporary, ec);
        return false;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool fileOperation(Status* status, const std::string& mode, const std::string& path1, const std::string& path2)
{
    std::error_code ec;
    if (mode == "FEXIST")
        return fs::is_regular_file(officePath(status, path1, PathUse::Look), ec);
    if (mode == "FDEL") {
        const fs::path file = officePath(status, path1, PathUse::Change);
        return fs::is_regular_file(file, ec) && fs::remove(file, ec) && !ec;
    }
    if (mode == "FCOPY") {
        const fs::path source = officePath(status, path1, PathUse::Look);
        return copyFile(source, officePath(status, path2, PathUse::Change));
    }
    if (mode == "FMOVE") {
        const fs::path source = officePath(status, path1, PathUse::Change);
        const fs::path target = officePath(status, path2, PathUse::Change);
        if (!fs::is_regular_file(source, ec))
            return false;
        fs::rename(source, target, ec);
        return !ec;
    }
    return false;
}

bool directoryTest(Status* status, const std::string& mode, const std::string& path)
{
    std::error_code ec;
    if (mode == "DEXIST")
        return fs::is_directory(officePath(status, path, PathUse::Look), ec);
    if (mode == "MKDIR") {
        const fs::path folder = officePath(status, path, PathUse::Look);
        fs::create_directories(folder, ec);
        return !ec && fs::is_directory(folder, ec);
    }
    if (mode == "RMDIR") {
        const fs::path folder = officePath(status, path, PathUse::Change);
        if (!fs::is_directory(folder, ec))
            return false;
        fs::remove_all(folder, ec);
        return !ec;
    }
    return false;
}

void utf8CharSet(char* name, unsigned size)
{
    std::strncpy(name, "UTF8", size);
    if (size > 0)
        name[size - 1] = '\0';
}

// ---- Procedures: one row with the answer --------------------------------------

// Computes its single output row when it is opened and hands it out once.
class OneRowResult : public IExternalResultSetImpl<OneRowResult, Status> {
public:
    void dispose() override { delete this; }
    FB_BOOLEAN fetch(Status*) override { return std::exchange(pending_, false) ? FB_TRUE : FB_FALSE; }

private:
    bool pending_ = true;
};

template <typename Compute>
class OneRowProcedure : public IExternalProcedureImpl<OneRowProcedure<Compute>, Status> {
public:
    explicit OneRowProcedure(IRoutineMetadata* metadata) : metadata_(metadata) {}
    void dispose() override { delete this; }
    void getCharSet(Status*, IExternalContext*, char* name, unsigned size) override { utf8CharSet(name, size); }
    IExternalResultSet* open(Status* status, IExternalContext*, void* inMsg, void* outMsg) override
    {
        IMessageMetadata* inMeta = metadata_->getInputMetadata(status);
        IMessageMetadata* outMeta = metadata_->getOutputMetadata(status);
        try {
            Message in(status, inMeta, inMsg);
            Message out(status, outMeta, outMsg);
            Compute()(status, in, out);
        } catch (...) {
            inMeta->release();
            outMeta->release();
            throw;
        }
        inMeta->release();
        outMeta->release();
        return new OneRowResult;
    }

private:
    IRoutineMetadata* metadata_;
};

template <typename Compute>
class OneRowProcedureFactory : public IUdrProcedureFactoryImpl<OneRowProcedureFactory<Compute>, Status> {
public:
    void dispose() override {}
    void setup(Status*, IExternalContext*, IRoutineMetadata*, IMetadataBuilder*, IMetadataBuilder*) override {}
    IExternalProcedure* newItem(Status*, IExternalContext*, IRoutineMetadata* metadata) override
    {
        return new OneRowProcedure<Compute>(metadata);
    }
};

// FILEOPERATION(MODE, FILEPATH1, FILEPATH2) RETURNS (WBOOL)
struct FileOperationRow {
    void operator()(Status* status, Message& in, Message& out) const
    {
        out.setInteger(0, fileOperation(status, upper(in.text(0)), in.text(1), in.text(2)) ? 1 : 0);
    }
};

// DIRECTORYTEST(MODE, FILEPATH1) RETURNS (WBOOL)
struct DirectoryTestRow {
    void operator()(Status* status, Message& in, Message& out) const
    {
        out.setInteger(0, directoryTest(status, upper(in.text(0)), in.text(1)) ? 1 : 0);
    }
};

// LONGTOSHORTFILENAME(LONGNAME) RETURNS (SHORTNAME): this file system has
// no short names, a path is its own short form. It is answered only for a
// path inside the office, as the client goes on to use it there.
struct LongToShortRow {
    void operator()(Status* status, Message& in, Message& out) const
    {
        officePath(status, in.text(0), PathUse::Look);
        out.setText(0, in.text(0));
    }
};

// ---- Functions: a file as a blob and back ---------------------------------------

class Context {
public:
    Context(Status* status, IExternalContext* context)
        : attachment_(context->getAttachment(status)), transaction_(context->getTransaction(status))
    {
    }
    ~Context()
    {
        if (transaction_)
            transaction_->release();
        if (attachment_)
            attachment_->release();
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    IAttachment* attachment() const { return attachment_; }
    ITransaction* transaction() const { return transaction_; }

private:
    IAttachment* attachment_;
    ITransaction* transaction_;
};

class BlobHandle {
public:
    explicit BlobHandle(IBlob* blob) : blob_(blob) {}
    // A blob still open after a failure is given up; a closed one has
    // already released its interface.
    ~BlobHandle()
    {
        if (blob_)
            blob_->release();
    }
    BlobHandle(const BlobHandle&) = delete;
    BlobHandle& operator=(const BlobHandle&) = delete;
    IBlob* operator->() const { return blob_; }
    void closed() { blob_ = nullptr; }

private:
    IBlob* blob_;
};

constexpr unsigned kSegment = 32768;

template <typename Name>
class FunctionBase : public IExternalFunctionImpl<Name, Status> {
public:
    explicit FunctionBase(IRoutineMetadata* metadata) : metadata_(metadata) {}
    void dispose() override { delete this; }
    void getCharSet(Status*, IExternalContext*, char* name, unsigned size) override { utf8CharSet(name, size); }
    void execute(Status* status, IExternalContext* context, void* inMsg, void* outMsg) override
    {
        IMessageMetadata* inMeta = metadata_->getInputMetadata(status);
        IMessageMetadata* outMeta = metadata_->getOutputMetadata(status);
        try {
            Message in(status, inMeta, inMsg);
            Message out(status, outMeta, outMsg);
            static_cast<Name*>(this)->run(status, context, in, out);
        } catch (...) {
            inMeta->release();
            outMeta->release();
            throw;
        }
        inMeta->release();
        outMeta->release();
    }

private:
    IRoutineMetadata* metadata_;
};

// SP_FILETOBLOB(FILENAME) RETURNS BLOB: the file's bytes; NULL when the file
// is missing or empty (the caller then reports a failed transfer).
class FileToBlob : public FunctionBase<FileToBlob> {
public:
    using FunctionBase::FunctionBase;
    void run(Status* status, IExternalContext* context, Message& in, Message& out)
    {
        out.setNull(0, true);
        const fs::path path = officePath(status, in.text(0), PathUse::Look);
        std::error_code ec;
        if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) == 0)
            return;
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return;
        Context ctx(status, context);
        ISC_QUAD id{};
        BlobHandle blob(ctx.attachment()->createBlob(status, ctx.transaction(), &id, 0, nullptr));
        std::vector<char> buffer(kSegment);
        while (file) {
            file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto got = static_cast<unsigned>(file.gcount());
            if (got > 0)
                blob->putSegment(status, got, buffer.data());
        }
        if (file.bad())
            fail(status, "cannot read " + path.string());
        blob->close(status);
        blob.closed();
        *out.blobId(0) = id;
        out.setNull(0, false);
    }
};

// SP_BLOBTOFILE(FILENAME, CONTENT) RETURNS BLOB: writes the blob into the
// file (replacing it) and answers NULL; any failure raises an error, so that
// no restore starts from a file that was not written whole.
class BlobToFile : public FunctionBase<BlobToFile> {
public:
    using FunctionBase::FunctionBase;
    void run(Status* status, IExternalContext* context, Message& in, Message& out)
    {
        out.setNull(0, true);
        const std::string path = in.text(0);
        const fs::path target = officePath(status, path, PathUse::Change);
        if (in.isNull(1))
            fail(status, "no content for " + path);
        const fs::path temporary = temporaryBeside(target);
        std::error_code ec;
        fs::create_directories(target.parent_path(), ec);
        {
            std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
            if (!file)
                fail(status, "cannot write " + temporary.string());
            Context ctx(status, context);
            BlobHandle blob(ctx.attachment()->openBlob(status, ctx.transaction(), in.blobId(1), 0, nullptr));
            std::vector<char> buffer(kSegment);
            for (;;) {
                unsigned got = 0;
                const int result = blob->getSegment(status, static_cast<unsigned>(buffer.size()), buffer.data(), &got);
                if (result == IStatus::RESULT_NO_DATA)
                    break;
                file.write(buffer.data(), got);
            }
            blob->close(status);
            blob.closed();
            file.close();
            if (!file) {
                fs::remove(temporary, ec);
                fail(status, "cannot write " + temporary.string());
            }
        }
        fs::rename(temporary, target, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            fail(status, "cannot replace " + path);
        }
    }
};

template <typename Function>
class FunctionFactory : public IUdrFunctionFactoryImpl<FunctionFactory<Function>, Status> {
public:
    void dispose() override {}
    void setup(Status*, IExternalContext*, IRoutineMetadata*, IMetadataBuilder*, IMetadataBuilder*) override {}
    IExternalFunction* newItem(Status*, IExternalContext*, IRoutineMetadata* metadata) override
    {
        return new Function(metadata);
    }
};

OneRowProcedureFactory<FileOperationRow> fileOperationFactory;
OneRowProcedureFactory<DirectoryTestRow> directoryTestFactory;
OneRowProcedureFactory<LongToShortRow> longToShortFactory;
FunctionFactory<FileToBlob> fileToBlobFactory;
FunctionFactory<BlobToFile> blobToFileFactory;

FB_BOOLEAN unloaded = FB_FALSE;

// The roots file lies beside this module, wherever the administrator put it.
fs::path moduleFolder()
{
    Dl_info info{};
    if (::dladdr(&unloaded, &info) != 0 && info.dli_fname)
        return fs::path(info.dli_fname).parent_path();
    return {};
}

void loadOfficeRoots()
{
    const fs::path file = moduleFolder() / OfficeRoots::kFileName;
    rootsFile = file.string();
    std::vector<std::string> ignored;
    officeRoots = OfficeRoots::load(file, &ignored);
    for (const std::string& line : ignored)
        std::cerr << "vqfileops: " << rootsFile << ": not an absolute folder, ignored: " << line << '\n';
}

} // namespace

extern "C" FB_DLL_EXPORT FB_BOOLEAN* FB_UDR_PLUGIN_ENTRY_POINT(IStatus* status, FB_BOOLEAN* /*theirUnloadFlag*/,
                                                                IUdrPlugin* udrPlugin)
{
    CheckStatusWrapper st(status);
    loadOfficeRoots();
    udrPlugin->registerProcedure(&st, "fileoperation", &fileOperationFactory);
    udrPlugin->registerProcedure(&st, "directorytest", &directoryTestFactory);
    udrPlugin->registerProcedure(&st, "longtoshortfilename", &longToShortFactory);
    udrPlugin->registerFunction(&st, "sp_filetoblob", &fileToBlobFactory);
    udrPlugin->registerFunction(&st, "sp_blobtofile", &blobToFileFactory);
    return &unloaded;
}
