// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The names of Qt's platform plugins that are installed, read from the plugins'
// metadata without loading them, before the application object exists.
#pragma once

#include <string>
#include <vector>

// pluginPath: -platformpluginpath, searched too (empty: none). Empty when no
// plugin could be read: then Qt is left to find out.
std::vector<std::string> InstalledPlatformPlugins(const std::string& pluginPath);
