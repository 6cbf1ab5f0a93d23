#include "platform/db/Services.h"

#include <ibase.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "platform/Cp932.h"
#include "platform/db/DbError.h"
#include "platform/db/FbCommon.h"

namespace vq::db {

using namespace Firebird;

namespace {

// isc_..."Validation error(s) found" family: the summary of a validation
// that found damage.
constexpr std::int64_t kValidationFoundErrors = 335740952;

unsigned readUInt(const unsigned char* p, int bytes)
{
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

// The options word of a service action: base with the bits whose switch is on.
int optionBits(int base, std::initializer_list<std::pair<bool, int>> switches)
{
    for (const auto& [on, bit] : switches)
        if (on)
            base |= bit;
    return base;
}

// One service manager connection, detached on every path.
class ServiceConnection {
public:
    explicit ServiceConnection(const ServiceParams& p)
    {
        const std::string name = p.host.empty() ? "service_mgr" : p.host + ":service_mgr";
        fb::Xpb spb(IXpbBuilder::SPB_ATTACH);
        spb.string(isc_spb_user_name, p.user);
        spb.string(isc_spb_password, p.password);
        spb.tag(isc_spb_utf8_filename);
        fb::Utf8FileNames utf8;
        fb::Status st;
        IProvider* provider = fb::master()->getDispatcher();
        try {
            service_ = provider->attachServiceManager(&st, name.c_str(), spb.length(), spb.data());
        } catch (...) {
            provider->release();
            throw;
        }
        provider->release();
    }
    ~ServiceConnection()
    {
        try {
            fb::Status st;
            service_->detach(&st);
        } catch (const FbException&) {
            service_->release();
        }
    }
    ServiceConnection(const ServiceConnection&) = delete;
    ServiceConnection& operator=(const ServiceConnection&) = delete;

    void start(fb::Xpb& spb)
    {
        fb::Utf8FileNames utf8;
        fb::Status st;
        service_->start(&st, spb.length(), spb.data());
    }

    // Reads the service's output line by line until the service has ended.
    // An empty line alone is no end: on a busy machine the engine answers
    // with no line and "data not ready" while the action still runs (a
    // backup still writing its file, a restore still building the
    // database). Only an empty line without such a flag ends the output.
    void drain(const ServiceOutput& output, std::vector<std::string>* keep = nullptr)
    {
        const unsigned char items[] = {isc_info_svc_line};
        std::vector<unsigned char> buffer(16384);
        for (;;) {
            fb::Status st;
            service_->query(&st, 0, nullptr, sizeof items, items, static_cast<unsigned>(buffer.size()),
                            buffer.data());
            const unsigned char* p = buffer.data();
            if (*p != isc_info_svc_line)
                return;
            const unsigned len = readUInt(p + 1, 2);
            if (len > 0) {
                std::string line = fb::engineText(std::string_view(reinterpret_cast<const char*>(p + 3), len));
                if (output)
                    output(line);
                if (keep)
                    keep->push_back(std::move(line));
                continue;
            }
            const unsigned char after = p[3];
            if (after != isc_info_data_not_ready && after != isc_info_svc_timeout && after != isc_info_truncated)
                return;
        }
    }

    std::vector<unsigned char> query(unsigned char item)
    {
        const unsigned char items[] = {item};
        std::vector<unsigned char> buffer(32768);   // the length travels as 16 bits
        fb::Status st;
        service_->query(&st, 0, nullptr, sizeof items, items, static_cast<unsigned>(buffer.size()), buffer.data());
        return buffer;
    }

private:
    IService* service_ = nullptr;
};

} // namespace

Services::Services(ServiceParams params) : params_(std::move(params)) {}

void Services::backup(const std::string& database, const std::string& backupFile, const BackupOptions& o,
                      const ServiceOutput& output)
{
    fb::translated([&] {
        ServiceConnection svc(params_);
        fb::Xpb spb(IXpbBuilder::SPB_START);
        spb.tag(isc_action_svc_backup);
        spb.string(isc_spb_dbname, database);
        spb.string(isc_spb_bkp_file, backupFile);
        spb.integer(isc_spb_options, optionBits(0, {{o.ignoreChecksums, isc_spb_bkp_ignore_checksums},
                                                    {o.ignoreLimbo, isc_spb_bkp_ignore_limbo},
                                                    {o.metadataOnly, isc_spb_bkp_metadata_only},
                                                    {o.noGarbageCollection, isc_spb_bkp_no_garbage_collect},
                                                    {o.nonTransportable, isc_spb_bkp_non_transportable}}));
        if (o.verbose)
            spb.tag(isc_spb_verbose);
        svc.start(spb);
        svc.drain(output);
    });
}

void Services::restore(const std::string& backupFile, const std::string& database, const RestoreOptions& o,
                       const ServiceOutput& output)
{
    fb::translated([&] {
        ServiceConnection svc(params_);
        fb::Xpb spb(IXpbBuilder::SPB_START);
        spb.tag(isc_action_svc_restore);
        spb.string(isc_spb_bkp_file, backupFile);
        spb.string(isc_spb_dbname, database);
        spb.integer(isc_spb_options, optionBits(o.replace ? isc_spb_res_replace : isc_spb_res_create,
                                                {{o.deactivateIndexes, isc_spb_res_deactivate_idx},
                                                 {o.noShadow, isc_spb_res_no_shadow},
                                                 {o.noValidityCheck, isc_spb_res_no_validity},
                                                 {o.oneRelationAtATime, isc_spb_res_one_at_a_time},
                                                 {o.useAllSpace, isc_spb_res_use_all_space}}));
        if (o.pageSize > 0)
            spb.integer(isc_spb_res_page_size, o.pageSize);
        if (o.pageBuffers > 0)
            spb.integer(isc_spb_res_buffers, o.pageBuffers);
        if (o.verbose)
            spb.tag(isc_spb_verbose);
        svc.start(spb);
        svc.drain(output);
    });
}

std::vector<std::string> Services::validate(const std::string& database, const ValidateOptions& o)
{
    std::vector<std::string> lines;
    try {
        fb::translated([&] {
            ServiceConnection svc(params_);
            fb::Xpb spb(IXpbBuilder::SPB_START);
            spb.tag(isc_action_svc_repair);
            spb.string(isc_spb_dbname, database);
            spb.integer(isc_spb_options, optionBits(isc_spb_rpr_validate_db, {{o.full, isc_spb_rpr_full},
                                                                              {o.ignoreChecksums, isc_spb_rpr_ignore_checksum},
                                                                              {o.mend, isc_spb_rpr_mend_db}}));
            svc.start(spb);
            svc.drain({}, &lines);
        });
    } catch (const DbError& e) {
        // Damage found ends the service with an error whose message carries
        // the summary; that summary is the validation's answer, not a failure
        // to validate.
        if (!e.hasCode(kValidationFoundErrors))
            throw;
        std::string::size_type start = 0;
        const std::string& text = e.message();
        while (start <= text.size()) {
            const auto end = text.find('\n', start);
            lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        if (std::none_of(lines.begin(), lines.end(),
                         [](const std::string& l) { return l.find_first_not_of(" \t\r\n") != std::string::npos; }))
            lines.push_back("validation error");
    }
    std::erase_if(lines, [](const std::string& l) { return l.find_first_not_of(" \t\r\n") == std::string::npos; });
    return lines;
}

void Services::shutdownSingle(const std::string& database)
{
    fb::translated([&] {
        ServiceConnection svc(params_);
        fb::Xpb spb(IXpbBuilder::SPB_START);
        spb.tag(isc_action_svc_properties);
        spb.string(isc_spb_dbname, database);
        spb.string(isc_spb_prp_shutdown_mode, std::string(1, static_cast<char>(isc_spb_prp_sm_single)));
        // Waits for no one: an attachment now makes the shutdown fail.
        spb.integer(isc_spb_prp_attachments_shutdown, 0);
        svc.start(spb);
        svc.drain({});
    });
}

void Services::bringOnline(const std::string& database)
{
    // The engine refuses to bring an online database online.
    constexpr std::int64_t alreadyInThatMode = 335544835; // isc_bad_shutdown_mode
    try {
        bringOnlineNow(database);
    } catch (const DbError& e) {
        if (!e.hasCode(alreadyInThatMode))
            throw;
    }
}

void Services::bringOnlineNow(const std::string& database)
{
    fb::translated([&] {
        ServiceConnection svc(params_);
        fb::Xpb spb(IXpbBuilder::SPB_START);
        spb.tag(isc_action_svc_properties);
        spb.string(isc_spb_dbname, database);
        spb.string(isc_spb_prp_online_mode, std::string(1, static_cast<char>(isc_spb_prp_sm_normal)));
        svc.start(spb);
        svc.drain({});
    });
}

std::vector<std::string> Services::attachedDatabases()
{
    std::vector<std::string> names;
    fb::translated([&] {
        ServiceConnection svc(params_);
        const auto buffer = svc.query(isc_info_svc_svr_db_info);
        const unsigned char* p = buffer.data();
        const unsigned char* end = p + buffer.size();
        if (*p++ != isc_info_svc_svr_db_info)
            return;
        while (p < end && *p != isc_info_flag_end && *p != isc_info_end) {
            const unsigned char tag = *p++;
            if (tag == isc_spb_num_att || tag == isc_spb_num_db) {
                p += 4;
            } else if (tag == isc_spb_dbname) {
                const unsigned len = readUInt(p, 2);
                p += 2;
                names.emplace_back(reinterpret_cast<const char*>(p), len);
                p += len;
            } else {
                break;
            }
        }
    });
    return names;
}

std::string Services::serverVersion()
{
    return fb::translated([&] {
        ServiceConnection svc(params_);
        const auto buffer = svc.query(isc_info_svc_server_version);
        if (buffer[0] != isc_info_svc_server_version)
            return std::string();
        const unsigned len = readUInt(buffer.data() + 1, 2);
        return std::string(reinterpret_cast<const char*>(buffer.data() + 3), len);
    });
}

} // namespace vq::db
