#include "comm/AccZip.h"

#include <zip.h>

#include <system_error>

namespace vq::comm {

namespace fs = std::filesystem;

namespace {

int failed(zip_t* z, std::string* error)
{
    zip_error_t* e = zip_get_error(z);
    const int code = zip_error_code_zip(e) != 0 ? zip_error_code_zip(e) : -1;
    if (error != nullptr)
        *error = zip_error_strerror(e);
    zip_discard(z);
    return code;
}

} // namespace

int ZipFiles(const fs::path& archive, const std::vector<fs::path>& files, const std::string& password,
             std::string* error)
{
    std::error_code ec;
    for (const auto& file : files) {
        if (!fs::is_regular_file(file, ec)) {
            if (error != nullptr)
                *error = "no file " + file.string();
            return -1;
        }
    }
    int code = 0;
    zip_t* z = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (z == nullptr) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        if (error != nullptr)
            *error = zip_error_strerror(&e);
        zip_error_fini(&e);
        return code != 0 ? code : -1;
    }
    for (const auto& file : files) {
        zip_source_t* source = zip_source_file(z, file.c_str(), 0, -1);
        if (source == nullptr)
            return failed(z, error);
        const zip_int64_t index = zip_file_add(z, file.filename().c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            return failed(z, error);
        }
        if (!password.empty() &&
            zip_file_set_encryption(z, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, password.c_str()) != 0)
            return failed(z, error);
    }
    // zip_close writes a temporary file beside the archive and renames it.
    if (zip_close(z) != 0)
        return failed(z, error);
    return 0;
}

} // namespace vq::comm
