// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/listview/item_store.h"

#include <algorithm>

int ListItemStore::Count() const
{
    return static_cast<int>(m_virtual ? m_virtualStates.size() : m_items.size());
}

void ListItemStore::SetVirtual(bool isVirtual)
{
    if (isVirtual == m_virtual)
        return;
    Clear();
    m_virtual = isVirtual;
}

void ListItemStore::SetVirtualCount(int count)
{
    if (m_virtual)
        m_virtualStates.resize(static_cast<std::size_t>(std::max(0, count)), 0);
}

ListItem* ListItemStore::Item(int index)
{
    if (m_virtual || !IsValid(index))
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

const ListItem* ListItemStore::Item(int index) const
{
    if (m_virtual || !IsValid(index))
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

UINT ListItemStore::State(int index) const
{
    if (!IsValid(index))
        return 0;
    return m_virtual ? m_virtualStates[static_cast<std::size_t>(index)]
                     : m_items[static_cast<std::size_t>(index)]->state;
}

void ListItemStore::SetState(int index, UINT state)
{
    if (!IsValid(index))
        return;
    if (m_virtual)
        m_virtualStates[static_cast<std::size_t>(index)] = state;
    else
        m_items[static_cast<std::size_t>(index)]->state = state;
}

LPARAM ListItemStore::Param(int index) const
{
    if (m_virtual || !IsValid(index))
        return 0;
    return m_params[static_cast<std::size_t>(index)];
}

void ListItemStore::SetParam(int index, LPARAM lParam)
{
    if (!m_virtual && IsValid(index))
        m_params[static_cast<std::size_t>(index)] = lParam;
}

int ListItemStore::Insert(int index, std::unique_ptr<ListItem> item, LPARAM lParam)
{
    index = std::clamp(index, 0, Count());
    if (m_virtual) {
        m_virtualStates.insert(m_virtualStates.begin() + index, item ? item->state : 0);
    } else {
        m_items.insert(m_items.begin() + index, std::move(item));
        m_params.insert(m_params.begin() + index, lParam);
    }
    return index;
}

void ListItemStore::Remove(int index)
{
    if (!IsValid(index))
        return;
    if (m_virtual) {
        m_virtualStates.erase(m_virtualStates.begin() + index);
    } else {
        m_items.erase(m_items.begin() + index);
        m_params.erase(m_params.begin() + index);
    }
}

void ListItemStore::Clear()
{
    m_items.clear();
    m_params.clear();
    m_virtualStates.clear();
}

const ListSubItem* ListItemStore::SubItem(const ListItem& item, int subItem)
{
    if (subItem < 1 || static_cast<std::size_t>(subItem) > item.subItems.size())
        return nullptr;
    return &item.subItems[static_cast<std::size_t>(subItem - 1)];
}

ListSubItem& ListItemStore::SubItemForWrite(ListItem& item, int subItem, int columns)
{
    if (item.subItems.size() < static_cast<std::size_t>(subItem)) {
        // Room for every column at once: rows are usually filled cell by cell.
        item.subItems.reserve(static_cast<std::size_t>(std::max(subItem, columns - 1)));
        item.subItems.resize(static_cast<std::size_t>(subItem));
    }
    return item.subItems[static_cast<std::size_t>(subItem - 1)];
}

void ListItemStore::InsertColumn(int column)
{
    // The label stays the row's column-0 text; a column inserted at 0 or 1 moves
    // every sub-item one place on.
    const auto at = static_cast<std::size_t>(std::max(0, column - 1));
    for (auto& item : m_items)
        if (item->subItems.size() > at)
            item->subItems.insert(item->subItems.begin() + static_cast<std::ptrdiff_t>(at), ListSubItem{});
}

void ListItemStore::DeleteColumn(int column)
{
    // Deleting column 0 leaves the rows alone: the label cannot go.
    if (column < 1)
        return;
    const auto at = static_cast<std::size_t>(column - 1);
    for (auto& item : m_items)
        if (item->subItems.size() > at)
            item->subItems.erase(item->subItems.begin() + static_cast<std::ptrdiff_t>(at));
}
