#include "SchemaDatabase.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "TempDir.h"
#include "platform/Cp932.h"
#include "platform/Process.h"

#ifndef VQ_SCHEMA_DIR
#error "VQ_SCHEMA_DIR must name the schema folder of the source tree"
#endif

namespace vq::test {

namespace fs = std::filesystem;

namespace {

const char* kindName(SchemaKind kind)
{
    switch (kind) {
    case SchemaKind::System: return "system";
    case SchemaKind::DataSet: return "dataset";
    case SchemaKind::FileTransfer: return "filetransfer";
    case SchemaKind::SystemBase: return "system-base";
    case SchemaKind::DataSetBase: return "dataset-base";
    }
    return "dataset";
}

// The folder of the scripts a kind is built from; a base is written from
// them, the manifest and base/.
const char* scriptDir(SchemaKind kind)
{
    switch (kind) {
    case SchemaKind::SystemBase: return "system";
    case SchemaKind::DataSetBase: return "dataset";
    default: return kindName(kind);
    }
}

std::string uniqueSuffix()
{
    std::random_device rd;
    return std::to_string(rd()) + std::to_string(rd());
}

// FNV-1a over the names and contents of everything the build reads, so a
// template is reused only while the scripts are unchanged.
std::string schemaHash(SchemaKind kind)
{
    std::vector<fs::path> files{schemaDir() / "build-database", schemaDir() / "99-grants.sql"};
    for (const auto& entry : fs::directory_iterator(schemaDir() / scriptDir(kind)))
        if (entry.path().extension() == ".sql")
            files.push_back(entry.path());
    if (kind == SchemaKind::SystemBase || kind == SchemaKind::DataSetBase) {
        files.push_back(schemaDir() / "base-ddl");
        files.push_back(schemaDir() / "manifest.txt");
        for (const auto& entry : fs::recursive_directory_iterator(schemaDir() / "base"))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin() + 2, files.end());

    std::uint64_t hash = 1469598103934665603ULL;
    auto mix = [&hash](std::string_view bytes) {
        for (unsigned char c : bytes) {
            hash ^= c;
            hash *= 1099511628211ULL;
        }
    };
    for (const auto& file : files) {
        mix(file.lexically_relative(schemaDir()).generic_string());
        mix(readBytes(file));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// The options of build-database that ask for sample rows, and the part of
// a template's name that tells them apart.
std::vector<std::string> sampleOptions(const BaseSamples* samples)
{
    if (!samples)
        return {};
    std::vector<std::string> options;
    if (!samples->dataKind.empty())
        options = {"--kind", samples->dataKind};
    options.push_back("--edition");
    options.push_back(std::to_string(samples->edition));
    if (!samples->at.empty()) {
        options.push_back("--at");
        options.push_back(samples->at);
    }
    return options;
}

std::string sampleSuffix(const BaseSamples* samples)
{
    if (!samples)
        return "";
    return "-" + (samples->dataKind.empty() ? std::string("samples") : samples->dataKind) + "-e"
           + std::to_string(samples->edition) + (samples->at.empty() ? "" : "-at" + samples->at);
}

void runBuild(SchemaKind kind, const fs::path& target, const BaseSamples* samples)
{
    std::vector<std::string> args{(schemaDir() / "build-database").string(), kindName(kind), target.string()};
    for (auto& option : sampleOptions(samples))
        args.push_back(std::move(option));
    auto result = platform::runProcess("bash", args);
    if (!result.succeeded())
        throw std::runtime_error("building the " + std::string(kindName(kind)) + " database failed:\n"
                                 + result.standardError + result.standardOutput);
}

fs::path templateFor(SchemaKind kind, const BaseSamples* samples = nullptr)
{
    const fs::path cache = fs::temp_directory_path() / "vq-schema-cache";
    fs::create_directories(cache);
    const fs::path file
        = cache / (std::string(kindName(kind)) + sampleSuffix(samples) + "-" + schemaHash(kind) + ".fdb");
    if (fs::exists(file))
        return file;
    // Built under a name of its own and renamed into place, so that tests
    // running side by side never see half a template.
    const fs::path partial = cache / (file.filename().string() + "." + uniqueSuffix());
    runBuild(kind, partial, samples);
    std::error_code ec;
    fs::rename(partial, file, ec);
    if (ec) {
        fs::remove(partial, ec);
        if (!fs::exists(file))
            throw std::runtime_error("cannot keep the template " + file.string());
    }
    return file;
}

} // namespace

fs::path schemaDir()
{
    return fs::path(VQ_SCHEMA_DIR);
}

namespace {

void copyTemplate(const fs::path& from, const fs::path& path)
{
    if (fs::exists(path))
        throw std::runtime_error(path.string() + " already exists");
    fs::copy_file(from, path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read
                              | fs::perms::group_write);
}

} // namespace

void buildDatabase(SchemaKind kind, const fs::path& path)
{
    copyTemplate(templateFor(kind), path);
}

void buildBaseDatabase(SchemaKind kind, const fs::path& path, const BaseSamples& samples)
{
    if (kind != SchemaKind::SystemBase && kind != SchemaKind::DataSetBase)
        throw std::invalid_argument("sample rows come only with a base database");
    copyTemplate(templateFor(kind, &samples), path);
}

std::string runSql(const fs::path& database, std::string_view sql)
{
    // isql reads the script from a file: from standard input it mangles the
    // bytes of double-byte characters.
    TempDir dir;
    const fs::path script = dir / "script.sql";
    writeBytes(script, platform::cp932::fromUtf8(std::string(sql) + "\nCOMMIT;\n", true));
    auto result = platform::runProcess(
        "isql-fb", {"-q", "-bail", "-ch", "SJIS_0208", "-user", "SYSDBA", database.string(), "-i", script.string()});
    std::string output = platform::cp932::toUtf8(result.standardOutput + result.standardError);
    if (!result.succeeded() || output.find("Statement failed") != std::string::npos)
        throw std::runtime_error("SQL failed on " + database.string() + ":\n" + output);
    return output;
}

} // namespace vq::test
