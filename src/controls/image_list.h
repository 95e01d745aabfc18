// Image lists: pictures of one size kept in order, drawn by index through a
// device context.
#pragma once

#include <vector>

#include "controls/commctrl.h"
#include "framework/resources.h"

struct IMAGEINFO {
    RECT rcImage{};
};

class CImageList {
public:
    BOOL Create(int cx, int cy, UINT flags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    bool IsCreated() const { return m_created; }

    // Adds a picture, scaled to the list's size when it differs; returns its index or -1.
    int Add(const ImageData& image);
    // Adds a picture whose pixels of maskColour become transparent.
    int Add(const ImageData& image, COLORREF maskColour);
    // Adds the picture of an icon resource nearest to the list's size.
    int AddIcon(UINT iconId);

    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    const ImageData* GetImage(int index) const;
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    UINT Flags() const { return m_flags; }

private:
    bool m_created = false;
    int m_cx = 0;
    int m_cy = 0;
    UINT m_flags = 0;
    std::vector<ImageData> m_images;
};

// Scales a picture to cx by cy (nearest neighbour).
ImageData ScaleImage(const ImageData& image, int cx, int cy);
