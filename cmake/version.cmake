# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The version the programs print: the project's version, in one place.
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/text/version.cpp PROPERTIES
                            COMPILE_DEFINITIONS "VARNEX_VERSION=\"${PROJECT_VERSION}\"")
