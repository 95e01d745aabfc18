// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The document: the program keeps no data of its own in it.
#pragma once

#include "framework/document.h"

class CVarnexDoc : public CDocument {
public:
    BOOL OnNewDocument() override;
    void Serialize(bool storing, std::vector<unsigned char>& data) override;
};
