// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "app/varnex_doc.h"

BOOL CVarnexDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

// Nothing is stored and nothing is loaded.
void CVarnexDoc::Serialize(bool, std::vector<unsigned char>&) {}
