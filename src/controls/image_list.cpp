// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "controls/image_list.h"

#include <algorithm>
#include <iterator>

BOOL CImageList::Create(int cx, int cy, UINT flags, int nInitial, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_bCreated = true;
    m_nCx = cx;
    m_nCy = cy;
    m_nFlags = flags;
    m_arrImages.clear();
    if (nInitial > 0)
        m_arrImages.reserve(static_cast<std::size_t>(nInitial));
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_bCreated)
        return FALSE;
    m_bCreated = false;
    m_arrImages.clear();
    std::fill(std::begin(m_arrOverlays), std::end(m_arrOverlays), -1);
    return TRUE;
}

BOOL CImageList::SetOverlayImage(int image, int overlay)
{
    if (overlay < 1 || overlay > 15 || image < 0 || image >= GetImageCount())
        return FALSE;
    m_arrOverlays[overlay - 1] = image;
    return TRUE;
}

int CImageList::GetOverlayImage(int overlay) const
{
    return overlay >= 1 && overlay <= 15 ? m_arrOverlays[overlay - 1] : -1;
}

ImageData ScaleImage(const ImageData& image, int cx, int cy)
{
    if (image.width == cx && image.height == cy)
        return image;
    ImageData out;
    out.width = cx;
    out.height = cy;
    out.argb.assign(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), 0);
    if (image.width <= 0 || image.height <= 0)
        return out;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const int sx = x * image.width / cx;
            const int sy = y * image.height / cy;
            out.argb[static_cast<std::size_t>(y * cx + x)] =
                image.argb[static_cast<std::size_t>(sy * image.width + sx)];
        }
    return out;
}

int CImageList::Add(const ImageData& image)
{
    if (!m_bCreated || image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return -1;
    m_arrImages.push_back(ScaleImage(image, m_nCx, m_nCy));
    return static_cast<int>(m_arrImages.size()) - 1;
}

int CImageList::Add(const ImageData& image, COLORREF maskColour)
{
    ImageData masked = image;
    const std::uint32_t key = 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(maskColour)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(maskColour)) << 8) |
                              static_cast<std::uint32_t>(GetBValue(maskColour));
    for (std::uint32_t& px : masked.argb)
        if ((px | 0xFF000000u) == key)
            px = 0;
    return Add(masked);
}

int CImageList::AddIcon(UINT iconId)
{
    const ImageData* img = AfxFindIconImage(iconId, m_nCx);
    return img ? Add(*img) : -1;
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const
{
    if (index < 0 || index >= GetImageCount() || info == nullptr)
        return FALSE;
    info->rcImage = RECT{0, 0, m_nCx, m_nCy};
    return TRUE;
}

const ImageData* CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_arrImages[static_cast<std::size_t>(index)];
}
