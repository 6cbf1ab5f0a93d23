#pragma once
// The fixed, 1-based row arrays of the settlement-statement records: row 1 is
// the first line of the paper form. Positions taken from the data (NUMBER,
// REC, line numbers) are tested with contains() before they are used; an
// access outside 1..N throws std::out_of_range instead of writing past the
// record.
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace vq {

template <class T, int N>
class StatementRows {
    static_assert(N >= 1);

public:
    static constexpr int Count = N;

    static constexpr bool contains(int row) { return row >= 1 && row <= N; }

    T& operator[](int row) { return rows_[slot(row)]; }
    const T& operator[](int row) const { return rows_[slot(row)]; }

    void fill(const T& value) { rows_.fill(value); }
    // Rows in order, row 1 first.
    auto begin() { return rows_.begin(); }
    auto end() { return rows_.end(); }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }

    friend bool operator==(const StatementRows&, const StatementRows&) = default;

private:
    static std::size_t slot(int row)
    {
        if (!contains(row))
            throw std::out_of_range("statement row " + std::to_string(row) + " outside 1.." + std::to_string(N));
        return static_cast<std::size_t>(row - 1);
    }

    std::array<T, N> rows_{};
};

} // namespace vq
