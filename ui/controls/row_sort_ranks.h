#pragma once
// Sort order of list rows by one column, computed once per sort so that the
// list view's own sort callback costs a table look-up instead of a row search.
// Portable: the text comparison comes in through a callable, lstrcmpW on
// Windows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace cdv {

// compare(a, b) < 0 when row a sorts before row b, 0 when they sort alike.
using RowCompare = std::function<int(std::size_t, std::size_t)>;

// Rank of every row such that rank order is the order `compare` gives: rows
// that compare equal share a rank, so a sort keyed on ranks decides every
// pair exactly as `compare` would. n log n comparisons; a comparison that is
// not a strict order yields some ranking but never reads out of bounds.
std::vector<int> DenseSortRanks(std::size_t count, const RowCompare& compare);

// Item data value of a row -> its rank. The first row holding a value wins,
// as a search from the top of the list would find it.
class RowRankTable {
public:
    void Clear() { m_ranks.clear(); }
    void Reserve(std::size_t count) { m_ranks.reserve(count); }
    void Add(std::intptr_t itemData, int rank) { m_ranks.emplace(itemData, rank); }
    // -1 for a value no row holds (it sorts before every row).
    int RankOf(std::intptr_t itemData) const {
        auto it = m_ranks.find(itemData);
        return it == m_ranks.end() ? -1 : it->second;
    }
    // The callback answer: negative when item 1 goes first.
    int Compare(std::intptr_t itemData1, std::intptr_t itemData2, bool ascending) const {
        int r1 = RankOf(itemData1);
        int r2 = RankOf(itemData2);
        int order = (r1 > r2) - (r1 < r2);
        return ascending ? order : -order;
    }

private:
    std::unordered_map<std::intptr_t, int> m_ranks;
};

}  // namespace cdv
