// The rows of a list-view control, kept apart from painting and geometry: per
// row the label, the sub-item texts by column, image, indent, state and the
// caller's lParam. An owner-data list keeps only each row's state.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/commctrl.h"

struct ListSubItem {
    std::string text;
    int image = 0;
    bool callback = false; // the text is asked of the parent
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

    // Stable sort. compare(a, b) < 0 puts a first. Safe with a compare function
    // that contradicts itself: the order is then unspecified but no row is lost.
    template <class Compare> void Sort(Compare compare);
    // Moves row index to its place among rows [0, index), which are in order:
    // after every row that does not sort after it. Returns the new index.
    template <class Compare> int MoveIntoPlace(int index, Compare compare);

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

} // namespace listview_detail

template <class Compare> int ListItemStore::MoveIntoPlace(int index, Compare compare)
{
    if (index <= 0 || index >= Count())
        return index;
    const ListItem& moving = *m_items[static_cast<std::size_t>(index)];
    int low = 0;
    int high = index;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (compare(moving, *m_items[static_cast<std::size_t>(mid)]) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    std::rotate(m_items.begin() + low, m_items.begin() + index, m_items.begin() + index + 1);
    return low;
}

template <class Compare> void ListItemStore::Sort(Compare compare)
{
    // The rows stay in place while the compare function runs, so it may read the
    // list; the new order is applied at the end.
    std::vector<ListItem*> order;
    order.reserve(m_items.size());
    for (const auto& item : m_items)
        order.push_back(item.get());
    listview_detail::NaturalMergeSort(order, [&compare](ListItem* a, ListItem* b) { return compare(*a, *b) < 0; });
    for (auto& item : m_items)
        (void)item.release();
    for (std::size_t i = 0; i < order.size(); ++i)
        m_items[i].reset(order[i]);
}
