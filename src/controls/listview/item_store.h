// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The rows of a list-view control, kept apart from painting and geometry: per
// row the label, the sub-item texts by column, image, indent, state and the
// caller's lParam. An owner-data list keeps only each row's state. The lParams
// lie side by side, in row order: a sort compares them without visiting the
// rows.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/commctrl.h"

struct ListSubItem {
    std::string text;
    int image = 0;
    bool callback = false; // the text is asked of the parent
    bool textSet = false;  // a text (or the callback marker) was given; one never given is asked too
};

struct ListItem {
    std::string text;
    std::vector<ListSubItem> subItems; // entry k belongs to column k + 1; may be shorter
    POINT position{};                  // icon views without auto-arrange
    UINT state = 0;
    int image = 0;
    int indent = 0;
    bool textCallback = false;
};

class ListItemStore {
public:
    int Count() const;
    bool IsValid(int index) const { return index >= 0 && index < Count(); }

    // Owner data: rows exist only as a count and their states.
    bool IsVirtual() const { return m_virtual; }
    void SetVirtual(bool isVirtual);
    void SetVirtualCount(int count);

    // Null for an owner-data list or an index out of range.
    ListItem* Item(int index);
    const ListItem* Item(int index) const;

    UINT State(int index) const;
    void SetState(int index, UINT state);
    // The caller's lParam of a row; 0 for an owner-data list or an index out of range.
    LPARAM Param(int index) const;
    void SetParam(int index, LPARAM lParam);

    // Inserts before index (clamped to the count); returns where the row went.
    int Insert(int index, std::unique_ptr<ListItem> item, LPARAM lParam = 0);
    void Remove(int index);
    void Clear();

    // Sub-items are numbered like the columns: 0 is the label.
    static const ListSubItem* SubItem(const ListItem& item, int subItem);
    static ListSubItem& SubItemForWrite(ListItem& item, int subItem, int columns = 0);

    // A column inserted or deleted at a physical index moves the sub-items after it.
    void InsertColumn(int column);
    void DeleteColumn(int column);

    // Stable sort of rows [0, count) by their lParams: compare(a, b) < 0 puts
    // the row with lParam a first. Safe with a compare function that
    // contradicts itself: the order is then unspecified but no row is lost.
    template <class Compare> void Sort(int count, Compare compare);

private:
    bool m_virtual = false;
    std::vector<std::unique_ptr<ListItem>> m_items;
    std::vector<LPARAM> m_params; // row by row, beside m_items
    std::vector<UINT> m_virtualStates;
};

namespace listview_detail {

// Natural merge sort: finds the runs already in order and merges neighbours, so
// a sorted list with one new row costs a scan plus one binary search.
template <class T, class Less>
void MergeRuns(std::vector<T>& v, std::vector<T>& tmp, std::size_t lo, std::size_t mid, std::size_t hi, Less less)
{
    // Rows of the left run not greater than the right run's first row stay put.
    std::size_t a = lo;
    std::size_t n = mid - lo;
    while (n > 0) {
        const std::size_t half = n / 2;
        if (less(v[mid], v[a + half])) {
            n = half;
        } else {
            a += half + 1;
            n -= half + 1;
        }
    }
    if (a == mid)
        return;
    // Rows of the right run not less than the left run's last row stay put too.
    std::size_t b = mid;
    n = hi - mid;
    while (n > 0) {
        const std::size_t half = n / 2;
        if (less(v[b + half], v[mid - 1])) {
            b += half + 1;
            n -= half + 1;
        } else {
            n = half;
        }
    }
    // The left run's rows wait aside; the merge fills the places from a on,
    // never past the right run's next row, and what is left of that run is in place.
    tmp.assign(std::make_move_iterator(v.begin() + static_cast<std::ptrdiff_t>(a)),
               std::make_move_iterator(v.begin() + static_cast<std::ptrdiff_t>(mid)));
    std::size_t i = 0;
    std::size_t j = mid;
    std::size_t k = a;
    while (i < tmp.size() && j < b) {
        if (less(v[j], tmp[i]))
            v[k++] = std::move(v[j++]);
        else
            v[k++] = std::move(tmp[i++]);
    }
    while (i < tmp.size())
        v[k++] = std::move(tmp[i++]);
}

template <class T, class Less> void NaturalMergeSort(std::vector<T>& v, Less less)
{
    if (v.size() < 2)
        return;
    std::vector<std::size_t> runs{0};
    for (std::size_t i = 1; i < v.size(); ++i)
        if (less(v[i], v[i - 1]))
            runs.push_back(i);
    runs.push_back(v.size());
    std::vector<T> tmp;
    while (runs.size() > 2) {
        std::vector<std::size_t> merged{0};
        for (std::size_t r = 0; r + 2 < runs.size(); r += 2) {
            MergeRuns(v, tmp, runs[r], runs[r + 1], runs[r + 2], less);
            merged.push_back(runs[r + 2]);
        }
        if (merged.back() != v.size())
            merged.push_back(v.size());
        runs.swap(merged);
    }
}

// The first index in [from, end) whose element sorts after value, found by
// galloping from 'from': steps of 1, 2, 4, ... then a binary search, so a
// place near 'from' costs few comparisons.
template <class T, class Less>
std::size_t GallopUpperBound(const std::vector<T>& v, std::size_t from, std::size_t end, const T& value, Less less)
{
    std::size_t lo = from; // every element in [from, lo) does not sort after value
    std::size_t hi = end;
    for (std::size_t step = 1;; step *= 2) {
        const std::size_t probe = lo + step - 1;
        if (probe >= end)
            break;
        if (less(value, v[probe])) {
            hi = probe;
            break;
        }
        lo = probe + 1;
    }
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (less(value, v[mid]))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

} // namespace listview_detail

// Made for a list re-sorted as it grows: the rows already in order are found
// by comparing every neighbour once (no sort can do with fewer), the rest are
// sorted on their own and merged in, each after the rows in order it does not
// sort before. Every comparison is made before any row moves, and only the
// rows from the first place that changes on are moved.
template <class Compare> void ListItemStore::Sort(int count, Compare compare)
{
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(m_items.size())));
    const auto less = [&compare](LPARAM a, LPARAM b) { return compare(a, b) < 0; };
    // Most lParams are addresses of the callers' records: fetching the ones
    // the scan reaches next early costs nothing when they are not.
    constexpr std::size_t kAhead = 8;
    std::size_t inOrder = 1;
    while (inOrder < n) {
        if (inOrder + kAhead < n)
            __builtin_prefetch(reinterpret_cast<const void*>(m_params[inOrder + kAhead]));
        if (less(m_params[inOrder], m_params[inOrder - 1]))
            break;
        ++inOrder;
    }
    if (inOrder >= n)
        return;
    struct Row {
        LPARAM lParam;
        std::size_t from;
    };
    std::vector<Row> rest(n - inOrder);
    for (std::size_t i = inOrder; i < n; ++i)
        rest[i - inOrder] = Row{m_params[i], i};
    listview_detail::NaturalMergeSort(rest, [&less](const Row& a, const Row& b) { return less(a.lParam, b.lParam); });
    std::vector<std::size_t> at(rest.size());
    std::size_t place = 0;
    for (std::size_t j = 0; j < rest.size(); ++j)
        at[j] = place = listview_detail::GallopUpperBound(m_params, place, inOrder, rest[j].lParam, less);

    // The moves, from the back: the rows in order after a new row's place
    // make room for it.
    std::vector<std::unique_ptr<ListItem>> restItems;
    restItems.reserve(rest.size());
    for (const Row& row : rest)
        restItems.push_back(std::move(m_items[row.from]));
    std::size_t write = n;
    std::size_t end = inOrder;
    for (std::size_t j = rest.size(); j-- > 0;) {
        const auto first = static_cast<std::ptrdiff_t>(at[j]);
        const auto last = static_cast<std::ptrdiff_t>(end);
        std::move_backward(m_items.begin() + first, m_items.begin() + last,
                           m_items.begin() + static_cast<std::ptrdiff_t>(write));
        std::move_backward(m_params.begin() + first, m_params.begin() + last,
                           m_params.begin() + static_cast<std::ptrdiff_t>(write));
        write -= end - at[j];
        end = at[j];
        --write;
        m_items[write] = std::move(restItems[j]);
        m_params[write] = rest[j].lParam;
    }
}
