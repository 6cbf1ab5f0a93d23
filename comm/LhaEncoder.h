#pragma once
// The -lh5- compressor of our LHA archives: LZSS over an 8 KiB window
// (matches of 3 to 256 bytes) whose literals, match lengths and match
// offsets are coded in blocks of static Huffman codes, each block carrying
// its own code lengths, written as the lh5 method defines them.
//
// Input arrives in pieces through Write; the compressed bytes leave through
// the sink as they are made, so neither side need be held whole.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace vq::comm {

class TLh5Encoder {
public:
    using Sink = std::function<void(const unsigned char* data, std::size_t size)>;

    explicit TLh5Encoder(Sink sink);
    ~TLh5Encoder();
    TLh5Encoder(const TLh5Encoder&) = delete;
    TLh5Encoder& operator=(const TLh5Encoder&) = delete;

    void Write(const void* data, std::size_t size);
    // Codes what is left and pads the last byte; nothing may follow.
    void Finish();
    // The compressed bytes handed to the sink so far.
    std::uint64_t OutputSize() const;

private:
    struct State;
    std::unique_ptr<State> s_;
};

} // namespace vq::comm
