#include "comm/DumpFileSink.h"

#include <stdexcept>

namespace vq::comm {

TDumpFileSink::TDumpFileSink(const std::filesystem::path& file)
    : file_(std::fopen(file.c_str(), "wb"))
{
    if (file_)
        thread_ = std::thread([this] { run(); });
    current_.reserve(BlockSize + 64 * 1024);
}

TDumpFileSink::~TDumpFileSink()
{
    stop();
    if (file_)
        std::fclose(file_);
}

void TDumpFileSink::write(std::string_view bytes)
{
    current_.append(bytes);
    if (current_.size() >= BlockSize) {
        hand(std::move(current_));
        current_ = std::string();
        current_.reserve(BlockSize + 64 * 1024);
    }
}

void TDumpFileSink::hand(std::string block)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < MaxWaiting || failed_; });
    waiting_.push_back(std::move(block));
    changed_.notify_all();
}

void TDumpFileSink::run()
{
    for (;;) {
        std::string block;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !waiting_.empty() || done_; });
            if (waiting_.empty())
                return;
            block = std::move(waiting_.front());
            waiting_.pop_front();
            changed_.notify_all();
        }
        const bool ok = std::fwrite(block.data(), 1, block.size(), file_) == block.size();
        if (!ok) {
            std::lock_guard lock(mutex_);
            failed_ = true;
            changed_.notify_all();
        }
    }
}

void TDumpFileSink::stop() noexcept
{
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable())
        thread_.join();
}

void TDumpFileSink::finish()
{
    if (!file_)
        throw std::runtime_error("the dump file is not open");
    if (!current_.empty())
        hand(std::move(current_));
    current_.clear();
    stop();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (failed_ || !closed)
        throw std::runtime_error("書き込みに失敗しました。");
}

} // namespace vq::comm
