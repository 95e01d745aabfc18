// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The rows of a list-view control, kept apart from painting and geometry: per
// row the label, the sub-item texts by column, image, indent, state and the
// caller's lParam. An owner-data list keeps only each row's state.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "controls/commctrl.h"

struct ListSubItem {
    std::string text;
    int image = 0;
    bool callback = false; // the text is asked of the parent
    bool textSet = false;  // a text (or the callback marker) was given; one never given is asked too
};

struct ListItem {
    std::string text;
    std::vector<ListSubItem> subItems; // entry k belongs to column k + 1; may be shorter
    LPARAM lParam = 0;
    POINT position{}; // icon views without auto-arrange
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

    // Inserts before index (clamped to the count); returns where the row went.
    int Insert(int index, std::unique_ptr<ListItem> item);
    void Remove(int index);
    void Clear();

    // Sub-items are numbered like the columns: 0 is the label.
    static const ListSubItem* SubItem(const ListItem& item, int subItem);
    static ListSubItem& SubItemForWrite(ListItem& item, int subItem, int columns = 0);

    // A column inserted or deleted at a physical index moves the sub-items after it.
    void InsertColumn(int column);
    void DeleteColumn(int column);

    // Stable sort of rows [0, count). compare(a, b) < 0 puts a first. Safe with
    // a compare function that contradicts itself: the order is then
    // unspecified but no row is lost.
    template <class Compare> void Sort(int count, Compare compare);

private:
    bool m_virtual = false;
    std::vector<std::unique_ptr<ListItem>> m_items;
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
    tmp.clear();
    std::size_t i = a;
    std::size_t j = mid;
    while (i < mid && j < b) {
        if (less(v[j], v[i]))
            tmp.push_back(std::move(v[j++]));
        else
            tmp.push_back(std::move(v[i++]));
    }
    while (i < mid)
        tmp.push_back(std::move(v[i++]));
    while (j < b)
        tmp.push_back(std::move(v[j++]));
    for (std::size_t k = 0; k < tmp.size(); ++k)
        v[a + k] = std::move(tmp[k]);
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

// Stable sort made for a list re-sorted as it grows: the prefix already in
// order is found by comparing every neighbour once (no sort can do with
// fewer), the rest is sorted on its own, and its rows are merged in by
// galloping, each after the prefix rows it does not sort before. A sorted
// list with a few new rows costs one pass plus a few searches.
template <class T, class Less> void StableSortMostlySorted(std::vector<T>& v, Less less)
{
    std::size_t inOrder = 1;
    while (inOrder < v.size() && !less(v[inOrder], v[inOrder - 1]))
        ++inOrder;
    if (inOrder >= v.size())
        return;
    std::vector<T> rest(std::make_move_iterator(v.begin() + static_cast<std::ptrdiff_t>(inOrder)),
                        std::make_move_iterator(v.end()));
    NaturalMergeSort(rest, less);
    std::vector<T> merged;
    merged.reserve(v.size());
    std::size_t next = 0;
    for (T& row : rest) {
        const std::size_t at = GallopUpperBound(v, next, inOrder, row, less);
        for (; next < at; ++next)
            merged.push_back(std::move(v[next]));
        merged.push_back(std::move(row));
    }
    for (; next < inOrder; ++next)
        merged.push_back(std::move(v[next]));
    v.swap(merged);
}

} // namespace listview_detail

template <class Compare> void ListItemStore::Sort(int count, Compare compare)
{
    const auto n = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(m_items.size())));
    // The rows stay in place while the compare function runs, so it may read the
    // list; the new order is applied at the end.
    std::vector<ListItem*> order;
    order.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        order.push_back(m_items[i].get());
    listview_detail::StableSortMostlySorted(order,
                                            [&compare](ListItem* a, ListItem* b) { return compare(*a, *b) < 0; });
    for (std::size_t i = 0; i < n; ++i)
        (void)m_items[i].release();
    for (std::size_t i = 0; i < n; ++i)
        m_items[i].reset(order[i]);
}
