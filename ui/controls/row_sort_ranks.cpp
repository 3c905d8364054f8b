#include "ui/controls/row_sort_ranks.h"

#include <algorithm>
#include <numeric>

namespace cdv {

std::vector<int> DenseSortRanks(std::size_t count, const RowCompare& compare) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Merge sort: unlike an introsort it stays inside the range even when the
    // comparison is inconsistent (locale collation is not guaranteed to be).
    std::stable_sort(order.begin(), order.end(),
                     [&compare](std::size_t a, std::size_t b) { return compare(a, b) < 0; });

    std::vector<int> ranks(count, 0);
    int rank = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && compare(order[i - 1], order[i]) != 0) ++rank;
        ranks[order[i]] = rank;
    }
    return ranks;
}

}  // namespace cdv
