// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "framework/resources.h"

#include <cstdlib>

namespace {

ResourceProvider g_provider;

} // namespace

void SetResourceProvider(const ResourceProvider& provider)
{
    g_provider = provider;
}

std::string AfxLoadString(UINT id)
{
    const char* s = g_provider.findString ? g_provider.findString(id) : nullptr;
    return s ? std::string(s) : std::string();
}

bool AfxHasString(UINT id)
{
    return g_provider.findString && g_provider.findString(id) != nullptr;
}

const MenuDef* AfxFindMenu(UINT id)
{
    return g_provider.findMenu ? g_provider.findMenu(id) : nullptr;
}

const AcceleratorTableDef* AfxFindAccelerators(UINT id)
{
    return g_provider.findAccelerators ? g_provider.findAccelerators(id) : nullptr;
}

const ToolBarDef* AfxFindToolBar(UINT id)
{
    return g_provider.findToolBar ? g_provider.findToolBar(id) : nullptr;
}

const IconDef* AfxFindIcon(UINT id)
{
    return g_provider.findIcon ? g_provider.findIcon(id) : nullptr;
}

const DialogTemplateDef* AfxFindDialog(UINT id)
{
    return g_provider.findDialog ? g_provider.findDialog(id) : nullptr;
}

const ImageData* AfxFindIconImage(UINT id, int size)
{
    const IconDef* icon = AfxFindIcon(id);
    if (icon == nullptr || icon->sizes.empty())
        return nullptr;
    const ImageData* best = &icon->sizes.front();
    for (const ImageData& img : icon->sizes)
        if (std::abs(img.width - size) < std::abs(best->width - size))
            best = &img;
    return best;
}
