#pragma once
// A file written by a thread of its own: the caller hands over blocks of
// bytes and goes on reading rows while the disk takes the previous ones. At
// most a few blocks wait at any time, so memory stays bounded however large
// the file grows.
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace vq::comm {

class TDumpFileSink {
public:
    // Creates (or empties) file; good() tells whether that worked.
    explicit TDumpFileSink(const std::filesystem::path& file);
    ~TDumpFileSink();   // stops the thread and closes; never throws
    TDumpFileSink(const TDumpFileSink&) = delete;
    TDumpFileSink& operator=(const TDumpFileSink&) = delete;

    bool good() const { return file_ != nullptr; }
    void write(std::string_view bytes);
    // Writes what is left and closes; throws std::runtime_error when any
    // write failed.
    void finish();

private:
    void hand(std::string block);
    void run();
    void stop() noexcept;

    static constexpr std::size_t BlockSize = 1 << 20;
    static constexpr std::size_t MaxWaiting = 4;

    std::FILE* file_ = nullptr;
    std::string current_;
    std::deque<std::string> waiting_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    bool failed_ = false;
    std::thread thread_;
};

} // namespace vq::comm
