#include "controls/image_list.h"

BOOL CImageList::Create(int cx, int cy, UINT flags, int nInitial, int)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_created = true;
    m_cx = cx;
    m_cy = cy;
    m_flags = flags;
    m_images.clear();
    if (nInitial > 0)
        m_images.reserve(static_cast<std::size_t>(nInitial));
    return TRUE;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_created)
        return FALSE;
    m_created = false;
    m_images.clear();
    return TRUE;
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
            out.argb[static_cast<std::size_t>(y * cx + x)] = image.argb[static_cast<std::size_t>(sy * image.width + sx)];
        }
    return out;
}

int CImageList::Add(const ImageData& image)
{
    if (!m_created || image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return -1;
    m_images.push_back(ScaleImage(image, m_cx, m_cy));
    return static_cast<int>(m_images.size()) - 1;
}

int CImageList::Add(const ImageData& image, COLORREF maskColour)
{
    ImageData masked = image;
    const std::uint32_t key =
        0xFF000000u | (static_cast<std::uint32_t>(GetRValue(maskColour)) << 16) |
        (static_cast<std::uint32_t>(GetGValue(maskColour)) << 8) | static_cast<std::uint32_t>(GetBValue(maskColour));
    for (std::uint32_t& px : masked.argb)
        if ((px | 0xFF000000u) == key)
            px = 0;
    return Add(masked);
}

int CImageList::AddIcon(UINT iconId)
{
    const ImageData* img = AfxFindIconImage(iconId, m_cx);
    return img ? Add(*img) : -1;
}

BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const
{
    if (index < 0 || index >= GetImageCount() || info == nullptr)
        return FALSE;
    info->rcImage = RECT{0, 0, m_cx, m_cy};
    return TRUE;
}

const ImageData* CImageList::GetImage(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return nullptr;
    return &m_images[static_cast<std::size_t>(index)];
}
