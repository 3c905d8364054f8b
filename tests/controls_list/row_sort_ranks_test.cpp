#include "ui/controls/row_sort_ranks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using cdv::DenseSortRanks;
using cdv::RowRankTable;

int Order(const std::wstring& a, const std::wstring& b) { return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1); }

// What the list shows after a sort whose callback compares row texts
// directly: a stable insertion sort stands in for the system's sort.
std::vector<std::wstring> SortedByDirectComparison(std::vector<std::wstring> rows, bool ascending) {
    for (std::size_t i = 1; i < rows.size(); ++i) {
        for (std::size_t j = i; j > 0; --j) {
            int c = ascending ? Order(rows[j - 1], rows[j]) : Order(rows[j], rows[j - 1]);
            if (c <= 0) break;
            std::swap(rows[j - 1], rows[j]);
        }
    }
    return rows;
}

// The same sort keyed on ranks gathered once, the way the list sorts.
std::vector<std::wstring> SortedByRanks(const std::vector<std::wstring>& rows, bool ascending) {
    std::vector<int> ranks = DenseSortRanks(rows.size(), [&](std::size_t a, std::size_t b) {
        return Order(rows[a], rows[b]);
    });
    RowRankTable table;
    for (std::size_t i = 0; i < rows.size(); ++i) table.Add(static_cast<std::intptr_t>(i + 100), ranks[i]);
    std::vector<std::intptr_t> items;
    for (std::size_t i = 0; i < rows.size(); ++i) items.push_back(static_cast<std::intptr_t>(i + 100));
    std::stable_sort(items.begin(), items.end(), [&](std::intptr_t a, std::intptr_t b) {
        return table.Compare(a, b, ascending) < 0;
    });
    std::vector<std::wstring> out;
    for (std::intptr_t item : items) out.push_back(rows[static_cast<std::size_t>(item - 100)]);
    return out;
}

TEST(DenseSortRanks, EqualTextsShareARankAndRanksFollowTheOrder) {
    std::vector<std::wstring> rows = {L"b", L"a", L"c", L"a", L"", L"b"};
    std::vector<int> ranks = DenseSortRanks(rows.size(), [&](std::size_t a, std::size_t b) {
        return Order(rows[a], rows[b]);
    });
    EXPECT_EQ(ranks, (std::vector<int>{2, 1, 3, 1, 0, 2}));
    EXPECT_TRUE(DenseSortRanks(0, [](std::size_t, std::size_t) { return 0; }).empty());
}

TEST(DenseSortRanks, GivesTheSameRowOrderAsComparingTextsInTheCallback) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::wstring> rows;
        const int n = 1 + static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) {
            // A small alphabet makes many duplicates, where the order of ties shows.
            rows.push_back(std::wstring(1 + rng() % 2, static_cast<wchar_t>(L'a' + rng() % 3)));
        }
        for (bool ascending : {true, false}) {
            EXPECT_EQ(SortedByRanks(rows, ascending), SortedByDirectComparison(rows, ascending))
                << "round " << round << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(DenseSortRanks, AnInconsistentComparisonStaysInBounds) {
    // Every pair compares "less" both ways: no strict order exists.
    std::vector<int> ranks = DenseSortRanks(1000, [](std::size_t, std::size_t) { return -1; });
    ASSERT_EQ(ranks.size(), 1000u);
    for (int r : ranks) EXPECT_GE(r, 0);
}

TEST(DenseSortRanks, UsesNLogNComparisons) {
    const std::size_t n = 50000;
    std::mt19937 rng(3);
    std::vector<unsigned> keys(n);
    for (auto& k : keys) k = rng();
    std::size_t calls = 0;
    DenseSortRanks(n, [&](std::size_t a, std::size_t b) {
        ++calls;
        return (keys[a] > keys[b]) - (keys[a] < keys[b]);
    });
    // n log2 n is about 780,000 here; a row search per comparison would be billions.
    EXPECT_LT(calls, 2u * 800000u);
}

TEST(RowRankTable, FirstRowWithAValueWinsAndUnknownValuesSortFirst) {
    RowRankTable table;
    table.Add(10, 4);
    table.Add(10, 1);
    table.Add(20, 2);
    EXPECT_EQ(table.RankOf(10), 4);
    EXPECT_EQ(table.RankOf(99), -1);
    EXPECT_LT(table.Compare(20, 10, true), 0);
    EXPECT_GT(table.Compare(20, 10, false), 0);
    EXPECT_EQ(table.Compare(10, 10, false), 0);
    EXPECT_LT(table.Compare(99, 20, true), 0);
}

}  // namespace
