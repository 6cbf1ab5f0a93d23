#include "comm/LhaEncoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <queue>
#include <vector>

namespace vq::comm {

namespace {

constexpr int WindowBits = 13;
constexpr std::int64_t Window = std::int64_t(1) << WindowBits;
// The farthest match: an offset code of 13 extra bits at most.
constexpr std::int64_t MaxDistance = Window - 1;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 256;
constexpr int NC = 256 + MaxMatch - MinMatch + 1; // literals and lengths
constexpr int NP = WindowBits + 1;                // offset codes
constexpr int NT = 16 + 3;                        // code-length codes
constexpr int CBit = 9, PBit = 4, TBit = 5;
constexpr int MaxCodeLength = 16;
constexpr std::size_t BlockSymbols = 0xFFFF;
constexpr int HashBits = 15;
// How many earlier places a match search visits, and the length that ends
// it early: enough for backup files, whose repeats are long or absent.
constexpr int MaxChain = 8;
constexpr int GoodEnough = 32;
constexpr std::size_t BufferSize = std::size_t(1) << 18;
constexpr std::size_t OutputFlush = std::size_t(1) << 16;

using Lengths = std::vector<std::uint8_t>;

// Huffman code lengths of freq, none above MaxCodeLength: a too-deep tree is
// rebuilt from flattened counts. Fewer than two used symbols give no lengths.
Lengths codeLengths(const std::uint32_t* freq, int n)
{
    Lengths len(n, 0);
    std::vector<std::uint32_t> f(freq, freq + n);
    int used = 0;
    for (int i = 0; i < n; ++i)
        used += f[i] != 0;
    if (used < 2)
        return len;
    for (;;) {
        struct Node {
            std::uint64_t weight;
            int index;
        };
        auto heavier = [](const Node& a, const Node& b) {
            return a.weight != b.weight ? a.weight > b.weight : a.index > b.index;
        };
        std::priority_queue<Node, std::vector<Node>, decltype(heavier)> heap(heavier);
        std::vector<int> parent(2 * n, -1);
        for (int i = 0; i < n; ++i)
            if (f[i])
                heap.push({f[i], i});
        int next = n;
        while (heap.size() > 1) {
            const Node a = heap.top();
            heap.pop();
            const Node b = heap.top();
            heap.pop();
            parent[a.index] = parent[b.index] = next;
            heap.push({a.weight + b.weight, next++});
        }
        int deepest = 0;
        for (int i = 0; i < n; ++i) {
            if (!f[i]) {
                len[i] = 0;
                continue;
            }
            int depth = 0;
            for (int p = parent[i]; p >= 0; p = parent[p])
                ++depth;
            len[i] = static_cast<std::uint8_t>(std::min(depth, 255));
            deepest = std::max(deepest, depth);
        }
        if (deepest <= MaxCodeLength)
            return len;
        for (auto& v : f)
            if (v)
                v = (v + 1) / 2;
    }
}

// Canonical codes: shorter codes first, equal lengths in symbol order.
std::vector<std::uint16_t> canonicalCodes(const Lengths& len)
{
    std::array<std::uint32_t, MaxCodeLength + 2> count{}, next{};
    for (auto l : len)
        if (l)
            ++count[l];
    std::uint32_t code = 0;
    for (int bits = 1; bits <= MaxCodeLength; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    std::vector<std::uint16_t> codes(len.size(), 0);
    for (std::size_t i = 0; i < len.size(); ++i)
        if (len[i])
            codes[i] = static_cast<std::uint16_t>(next[len[i]]++);
    return codes;
}

int usedCount(const Lengths& len, const std::uint32_t* freq, int& only)
{
    int used = 0;
    only = 0;
    for (std::size_t i = 0; i < len.size(); ++i)
        if (freq[i]) {
            ++used;
            only = static_cast<int>(i);
        }
    return used;
}

int offsetCode(std::uint32_t offset)
{
    return offset == 0 ? 0 : std::bit_width(offset);
}

} // namespace

struct TLh5Encoder::State {
    Sink sink;
    std::uint64_t written = 0;
    std::vector<unsigned char> out;
    std::uint64_t bits = 0;
    int bitCount = 0;

    std::vector<unsigned char> buf = std::vector<unsigned char>(BufferSize);
    std::size_t filled = 0, pos = 0;
    std::int64_t base = 0;
    std::vector<std::int64_t> head = std::vector<std::int64_t>(std::size_t(1) << HashBits, -1);
    std::vector<std::int64_t> prev = std::vector<std::int64_t>(Window, -1);

    std::vector<std::uint16_t> symbols, offsets;
    std::array<std::uint32_t, NC> freqC{};
    std::array<std::uint32_t, NP> freqP{};
    bool finished = false;

    void put(std::uint32_t value, int n)
    {
        if (n == 0)
            return;
        bits = (bits << n) | (value & ((std::uint32_t(1) << n) - 1));
        bitCount += n;
        while (bitCount >= 8) {
            bitCount -= 8;
            out.push_back(static_cast<unsigned char>(bits >> bitCount));
        }
        bits &= (std::uint64_t(1) << bitCount) - 1;
        if (out.size() >= OutputFlush)
            flushOutput();
    }
    void flushOutput()
    {
        if (out.empty())
            return;
        written += out.size();
        sink(out.data(), out.size());
        out.clear();
    }

    // The lengths of the code-length codes or of the offset codes: three
    // bits each, longer ones continued in unary; the code-length table skips
    // up to three zeros after its third entry.
    void putPtLengths(const Lengths& len, int countBits, int special)
    {
        int n = static_cast<int>(len.size());
        while (n > 0 && len[n - 1] == 0)
            --n;
        put(static_cast<std::uint32_t>(n), countBits);
        int i = 0;
        while (i < n) {
            const int k = len[i++];
            if (k <= 6)
                put(static_cast<std::uint32_t>(k), 3);
            else
                put((std::uint32_t(1) << (k - 3)) - 2, k - 3);
            if (i == special) {
                int zeros = 0;
                while (zeros < 3 && i < n && len[i] == 0) {
                    ++zeros;
                    ++i;
                }
                put(static_cast<std::uint32_t>(zeros), 2);
            }
        }
    }

    // The literal-and-length code lengths as code-length codes: 0 one zero,
    // 1 three to eighteen zeros, 2 twenty or more, k+2 a length k.
    template <typename Emit>
    void walkCLengths(const Lengths& lenC, Emit emit)
    {
        int n = NC;
        while (n > 0 && lenC[n - 1] == 0)
            --n;
        int i = 0;
        while (i < n) {
            const int k = lenC[i++];
            if (k != 0) {
                emit(k + 2, 0, 0);
                continue;
            }
            int run = 1;
            while (i < n && lenC[i] == 0) {
                ++i;
                ++run;
            }
            if (run <= 2) {
                for (int r = 0; r < run; ++r)
                    emit(0, 0, 0);
            } else if (run <= 18) {
                emit(1, run - 3, 4);
            } else if (run == 19) {
                emit(0, 0, 0);
                emit(1, 15, 4);
            } else {
                emit(2, run - 20, CBit);
            }
        }
    }

    void flushBlock()
    {
        if (symbols.empty())
            return;
        const Lengths lenC = codeLengths(freqC.data(), NC);
        const Lengths lenP = codeLengths(freqP.data(), NP);
        put(static_cast<std::uint32_t>(symbols.size()), 16);
        int onlyC = 0;
        if (usedCount(lenC, freqC.data(), onlyC) >= 2) {
            int n = NC;
            while (n > 0 && lenC[n - 1] == 0)
                --n;
            std::array<std::uint32_t, NT> freqT{};
            walkCLengths(lenC, [&](int t, int, int) { ++freqT[t]; });
            const Lengths lenT = codeLengths(freqT.data(), NT);
            int onlyT = 0;
            if (usedCount(lenT, freqT.data(), onlyT) >= 2) {
                putPtLengths(lenT, TBit, 3);
            } else {
                put(0, TBit);
                put(static_cast<std::uint32_t>(onlyT), TBit);
            }
            const auto codeT = canonicalCodes(lenT);
            put(static_cast<std::uint32_t>(n), CBit);
            walkCLengths(lenC, [&](int t, int extra, int extraBits) {
                put(codeT[t], lenT[t]);
                put(static_cast<std::uint32_t>(extra), extraBits);
            });
        } else {
            put(0, TBit);
            put(0, TBit);
            put(0, CBit);
            put(static_cast<std::uint32_t>(onlyC), CBit);
        }
        int onlyP = 0;
        if (usedCount(lenP, freqP.data(), onlyP) >= 2) {
            putPtLengths(lenP, PBit, -1);
        } else {
            put(0, PBit);
            put(static_cast<std::uint32_t>(onlyP), PBit);
        }
        const auto codeC = canonicalCodes(lenC);
        const auto codeP = canonicalCodes(lenP);
        std::size_t k = 0;
        for (const auto c : symbols) {
            put(codeC[c], lenC[c]);
            if (c < 256)
                continue;
            const std::uint32_t offset = offsets[k++];
            const int p = offsetCode(offset);
            put(codeP[p], lenP[p]);
            if (p >= 2)
                put(offset - (std::uint32_t(1) << (p - 1)), p - 1);
        }
        symbols.clear();
        offsets.clear();
        freqC.fill(0);
        freqP.fill(0);
    }

    void literal(unsigned char c)
    {
        symbols.push_back(c);
        ++freqC[c];
        if (symbols.size() == BlockSymbols)
            flushBlock();
    }
    void match(int length, std::uint32_t offset)
    {
        const auto c = static_cast<std::uint16_t>(256 + length - MinMatch);
        symbols.push_back(c);
        offsets.push_back(static_cast<std::uint16_t>(offset));
        ++freqC[c];
        ++freqP[offsetCode(offset)];
        if (symbols.size() == BlockSymbols)
            flushBlock();
    }

    static std::uint32_t hashAt(const unsigned char* p)
    {
        const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        return (v * 2654435761u) >> (32 - HashBits);
    }
    void insert(std::size_t at)
    {
        if (filled - at < static_cast<std::size_t>(MinMatch))
            return;
        const std::uint32_t h = hashAt(buf.data() + at);
        const std::int64_t absolute = base + static_cast<std::int64_t>(at);
        prev[static_cast<std::size_t>(absolute & (Window - 1))] = head[h];
        head[h] = absolute;
    }
    int matchLength(std::size_t a, std::size_t b, int limit) const
    {
        int n = 0;
        while (n + 8 <= limit) {
            std::uint64_t x, y;
            std::memcpy(&x, buf.data() + a + n, 8);
            std::memcpy(&y, buf.data() + b + n, 8);
            if (x != y)
                return n + std::countr_zero(x ^ y) / 8;
            n += 8;
        }
        while (n < limit && buf[a + n] == buf[b + n])
            ++n;
        return n;
    }

    void process(bool final)
    {
        while (pos < filled && (final || pos + MaxMatch <= filled)) {
            const int limit = static_cast<int>(std::min<std::size_t>(MaxMatch, filled - pos));
            int best = 0;
            std::int64_t bestDistance = 0;
            if (limit >= MinMatch) {
                const std::int64_t here = base + static_cast<std::int64_t>(pos);
                std::int64_t candidate = head[hashAt(buf.data() + pos)];
                for (int chain = MaxChain; candidate >= 0 && here - candidate <= MaxDistance && chain > 0; --chain) {
                    const auto at = static_cast<std::size_t>(candidate - base);
                    if (buf[at + best] == buf[pos + best]) {
                        const int length = matchLength(at, pos, limit);
                        if (length > best) {
                            best = length;
                            bestDistance = here - candidate;
                            if (best >= GoodEnough || best == limit)
                                break;
                        }
                    }
                    const std::int64_t older = prev[static_cast<std::size_t>(candidate & (Window - 1))];
                    if (older >= candidate)
                        break;
                    candidate = older;
                }
            }
            if (best >= MinMatch) {
                match(best, static_cast<std::uint32_t>(bestDistance - 1));
                for (int i = 0; i < best; ++i)
                    insert(pos + i);
                pos += best;
            } else {
                literal(buf[pos]);
                insert(pos);
                ++pos;
            }
        }
    }

    // Drops what lies behind the window to make room for more input.
    void shift()
    {
        const std::size_t keep = pos > static_cast<std::size_t>(Window) ? pos - Window : 0;
        if (keep == 0)
            return;
        std::memmove(buf.data(), buf.data() + keep, filled - keep);
        filled -= keep;
        pos -= keep;
        base += static_cast<std::int64_t>(keep);
    }
};

TLh5Encoder::TLh5Encoder(Sink sink) : s_(std::make_unique<State>())
{
    s_->sink = std::move(sink);
}

TLh5Encoder::~TLh5Encoder() = default;

void TLh5Encoder::Write(const void* data, std::size_t size)
{
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        if (s_->filled == s_->buf.size())
            s_->shift();
        const std::size_t n = std::min(size, s_->buf.size() - s_->filled);
        std::memcpy(s_->buf.data() + s_->filled, p, n);
        s_->filled += n;
        p += n;
        size -= n;
        s_->process(false);
    }
}

void TLh5Encoder::Finish()
{
    if (s_->finished)
        return;
    s_->finished = true;
    s_->process(true);
    s_->flushBlock();
    if (s_->bitCount > 0)
        s_->put(0, 8 - s_->bitCount);
    s_->flushOutput();
}

std::uint64_t TLh5Encoder::OutputSize() const
{
    return s_->written + s_->out.size();
}

} // namespace vq::comm
