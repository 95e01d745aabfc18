// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "view/varnex_doc.h"

BOOL CVarnexDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

// Nothing is stored and nothing is loaded: the devices are found anew.
void CVarnexDoc::Serialize(bool, std::vector<unsigned char>&) {}
