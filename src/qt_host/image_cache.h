// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Pictures of image lists as Qt images, made once per list, index, blend and
// scale: converting and smoothly scaling on every paint would be wasted work.
#pragma once

#include <QImage>

#include "controls/image_list.h"

// The picture of image `index` of `list`, blended with the highlight colour for
// ILD_BLEND25 / ILD_BLEND50 and scaled smoothly by `scale` (the device pixel
// ratio: the result carries it, so it draws at the list's size). Null when the
// image does not exist.
QImage ImageListPicture(const CImageList* list, int index, UINT style, qreal scale);

// Drops every cached picture.
void ClearImageListPictures();
