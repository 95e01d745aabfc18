// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Hands the program's resources to the platform; called once at start-up.
#pragma once

#include "framework/resources.h"
#include "res/text/strings.h"

namespace res {

void InstallResources();

const MenuDef* FindMenu(UINT id);
const AcceleratorTableDef* FindAccelerators(UINT id);
const ToolBarDef* FindToolBar(UINT id);
const IconDef* FindIcon(UINT id);
const DialogTemplateDef* FindDialog(UINT id);

} // namespace res
