// Resource pictures as Qt images.
#pragma once

#include <QIcon>
#include <QImage>

#include "framework/resources.h"

QImage ImageFromData(const ImageData& data);
// Every size of an icon resource; an empty icon when there is none.
QIcon IconFor(UINT iconId);
