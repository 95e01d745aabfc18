// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Image lists: pictures of one size kept in order, drawn by index through a
// device context.
#pragma once

#include <vector>

#include "framework/commctrl.h"
#include "framework/resources.h"

struct IMAGEINFO {
    RECT rcImage{};
};

class CImageList {
public:
    BOOL Create(int cx, int cy, UINT flags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    bool IsCreated() const { return m_bCreated; }

    // Adds a picture, scaled to the list's size when it differs; returns its index or -1.
    int Add(const ImageData& image);
    // Adds a picture whose pixels of maskColour become transparent.
    int Add(const ImageData& image, COLORREF maskColour);
    // Adds the picture of an icon resource nearest to the list's size.
    int AddIcon(UINT iconId);

    int GetImageCount() const { return static_cast<int>(m_arrImages.size()); }
    // The list of a check-box list view's state pictures: image 0 an empty box,
    // image 1 a checked one, drawn by the host in its own style.
    void MarkAsCheckBoxes() { m_bCheckBoxes = true; }
    bool IsCheckBoxes() const { return m_bCheckBoxes; }
    // Makes picture image the overlay n (1-15) that an item's state can name;
    // false for a number or picture the list does not have.
    BOOL SetOverlayImage(int image, int overlay);
    // The picture of overlay n, or -1.
    int GetOverlayImage(int overlay) const;
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    const ImageData* GetImage(int index) const;
    int Width() const { return m_nCx; }
    int Height() const { return m_nCy; }
    UINT Flags() const { return m_nFlags; }

private:
    bool m_bCreated = false;
    bool m_bCheckBoxes = false;
    int m_nCx = 0;
    int m_nCy = 0;
    UINT m_nFlags = 0;
    std::vector<ImageData> m_arrImages;
    // Overlay n is picture m_arrOverlays[n - 1], -1 for none.
    int m_arrOverlays[15] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// Scales a picture to cx by cy (nearest neighbour).
ImageData ScaleImage(const ImageData& image, int cx, int cy);
