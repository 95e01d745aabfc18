// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The four column numberings and the move rule, over records alone.
#include <gtest/gtest.h>

#include "listctrl/column_mapping.h"

namespace {

using namespace listctrl;

// Columns by (visible, order).
ColumnArray Make(std::initializer_list<std::pair<bool, int>> layout)
{
    ColumnArray columns;
    for (auto [visible, order] : layout) {
        auto c = std::make_unique<COLUMN_DATA>();
        c->m_bVisible = visible;
        c->m_nOrder = order;
        columns.push_back(std::move(c));
    }
    return columns;
}

std::vector<int> Orders(const ColumnArray& columns)
{
    std::vector<int> out;
    for (const auto& c : columns)
        out.push_back(c->m_nOrder);
    return out;
}

TEST(ColumnMappingTest, ColumnNumbersSkipHiddenColumnsBothWays)
{
    // Logical 0..4; 1 and 3 hidden: physical 0 = logical 0, 1 = 2, 2 = 4.
    const ColumnArray columns = Make({{true, 0}, {false, 1}, {true, 2}, {false, 3}, {true, 4}});
    const struct {
        int logical;
        int physical;
    } rows[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {-1, 0}, {99, 3}};
    for (const auto& r : rows)
        EXPECT_EQ(LogicalToPhysicalColumn(columns, r.logical), r.physical) << "logical " << r.logical;
    const struct {
        int physical;
        int logical;
    } back[] = {{0, 0}, {1, 2}, {2, 4}, {3, -1}, {-1, -1}, {1000, -1}};
    for (const auto& r : back)
        EXPECT_EQ(PhysicalToLogicalColumn(columns, r.physical), r.logical) << "physical " << r.physical;
}

TEST(ColumnMappingTest, OrdersCountOnlyVisibleColumnsBeforeThem)
{
    // Display: logical 4 (order 0), 1 hidden (1), 0 (2), 3 hidden (3), 2 (4).
    const ColumnArray columns = Make({{true, 2}, {false, 1}, {true, 4}, {false, 3}, {true, 0}});
    const int physicalOfLogical[] = {0, 1, 1, 2, 2, 3};
    for (int o = 0; o <= 5; ++o)
        EXPECT_EQ(LogicalToPhysicalOrder(columns, o), physicalOfLogical[o]) << "order " << o;
    // Physical order 0, 1, 2 are the visible columns at logical orders 0, 2, 4.
    EXPECT_EQ(PhysicalToLogicalOrder(columns, 0), 0);
    EXPECT_EQ(PhysicalToLogicalOrder(columns, 1), 2);
    EXPECT_EQ(PhysicalToLogicalOrder(columns, 2), 4);
    EXPECT_EQ(PhysicalToLogicalOrder(columns, 3), -1);
    EXPECT_EQ(PhysicalToLogicalOrder(columns, -1), -1);
    EXPECT_EQ(ColumnAtOrder(columns, 3), 3);
    EXPECT_EQ(ColumnAtOrder(columns, 5), -1);
}

TEST(ColumnMappingTest, MovingAColumnShiftsTheOnesBetweenAndKeepsAPermutation)
{
    const struct {
        int column;
        int to;
        std::vector<int> orders;
    } rows[] = {
        {0, 3, {3, 0, 1, 2}},  // right: the ones passed move left
        {3, 0, {1, 2, 3, 0}},  // left: the ones passed move right
        {2, 2, {0, 1, 2, 3}},  // in place: nothing
        {1, 9, {0, 3, 1, 2}},  // past the end: clamped to the last place
        {2, -4, {1, 2, 0, 3}}, // before the start: clamped to the first
        {7, 0, {0, 1, 2, 3}},  // no such column: nothing
    };
    for (const auto& r : rows) {
        ColumnArray columns = Make({{true, 0}, {true, 1}, {false, 2}, {true, 3}});
        MoveColumnToOrder(columns, r.column, r.to);
        EXPECT_EQ(Orders(columns), r.orders) << "column " << r.column << " to " << r.to;
        EXPECT_TRUE(OrdersArePermutation(columns));
    }
    // Where a moved column stands among the shown ones: a hidden column at the
    // end does not count, nor does the column itself.
    const ColumnArray hiddenLast = Make({{true, 1}, {true, 0}, {false, 2}});
    EXPECT_EQ(PhysicalOrderAfterMove(hiddenLast, 1, 2), 1);
    EXPECT_EQ(PhysicalOrderAfterMove(hiddenLast, 0, 0), 0);
    EXPECT_EQ(PhysicalOrderAfterMove(hiddenLast, 1, 99), 1);
    EXPECT_EQ(PhysicalOrderAfterMove(hiddenLast, 5, 0), -1);
    EXPECT_FALSE(OrdersArePermutation(Make({{true, 0}, {true, 0}})));
    EXPECT_FALSE(OrdersArePermutation(Make({{true, 0}, {true, 2}})));
    EXPECT_FALSE(OrdersArePermutation(Make({{true, -1}, {true, 0}})));
}

} // namespace
