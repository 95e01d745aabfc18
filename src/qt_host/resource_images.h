// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Resource pictures as Qt images.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

#include "framework/resources.h"

QImage ImageFromData(const ImageData& data);
// Whether pictures shown on this colour need their variant for dark backgrounds.
bool IsDarkBackground(const QColor& background);
// Every size of an icon resource, in the variant drawn for the background it
// is shown on; an empty icon when there is none.
QIcon IconFor(UINT iconId, const QColor& background = QColor(Qt::white));
