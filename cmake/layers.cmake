# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The link graph is the architecture: each library may link only the layers
# listed for it here, and only the Qt host and the desktop program's main know
# Qt. A link that breaks the rule stops the configuration with the reason.

set(_layer_links_varnex_system "")
set(_layer_links_varnex_framework varnex_system)
set(_layer_links_varnex_controls varnex_framework varnex_system)
set(_layer_links_varnex_res varnex_framework varnex_system)
set(_layer_links_varnex_listctrl varnex_controls varnex_framework varnex_system varnex_res)
set(_layer_links_varnex_devices varnex_framework varnex_system varnex_res)
set(_layer_links_varnex_discovery varnex_devices varnex_system)
set(_layer_links_varnex_commands varnex_discovery varnex_devices varnex_framework varnex_system varnex_res)
set(_layer_links_varnex_shell varnex_commands varnex_discovery varnex_devices varnex_listctrl varnex_controls varnex_framework
    varnex_system varnex_res)
set(_layer_links_varnex_qt_start varnex_system)
set(_layer_links_varnex_qt_host varnex_qt_start varnex_controls varnex_framework varnex_system varnex_res
    Qt6::Widgets Qt6::PrintSupport X11::X11)
set(_layer_links_varnex_cli_core varnex_commands varnex_discovery varnex_devices varnex_framework varnex_system varnex_res)
set(_layer_links_varnex_sim_core varnex_commands varnex_discovery varnex_devices varnex_framework varnex_system varnex_res)

# Our own libraries and the Qt modules are checked; anything else (the C++
# runtime, test frameworks) is not ours to layer.
function(_layers_direct_links target out)
  set(_links)
  foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(_l ${target} ${prop})
    if(_l)
      list(APPEND _links ${_l})
    endif()
  endforeach()
  set(_ours)
  foreach(l ${_links})
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" l "${l}")
    if(l MATCHES "^varnex_" OR l MATCHES "^Qt6::" OR l MATCHES "^X11::")
      list(APPEND _ours ${l})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES _ours)
  set(${out} ${_ours} PARENT_SCOPE)
endfunction()

function(_layers_closure target out)
  set(_seen)
  set(_todo ${target})
  while(_todo)
    list(POP_FRONT _todo t)
    if(t IN_LIST _seen OR NOT TARGET ${t})
      continue()
    endif()
    list(APPEND _seen ${t})
    _layers_direct_links(${t} _next)
    list(APPEND _todo ${_next})
  endwhile()
  set(${out} ${_seen} PARENT_SCOPE)
endfunction()

foreach(lib varnex_system varnex_framework varnex_controls varnex_res varnex_listctrl varnex_devices varnex_discovery
            varnex_commands varnex_shell varnex_qt_start varnex_qt_host varnex_cli_core varnex_sim_core)
  if(NOT TARGET ${lib})
    continue()
  endif()
  _layers_direct_links(${lib} _links)
  foreach(l ${_links})
    if(NOT l IN_LIST _layer_links_${lib})
      message(FATAL_ERROR "layers: ${lib} links ${l}, which its layer may not use "
                          "(allowed: ${_layer_links_${lib}}; see the layout in README.md)")
    endif()
  endforeach()
endforeach()

# Nothing below the shell's main may reach Qt, and neither may the command-line tools.
foreach(target varnex_framework varnex_controls varnex_system varnex_listctrl varnex_discovery varnex_commands
               varnex_shell varnex_qt_start varnex_cli_core varnex_sim_core varnex-cli varnex-sim)
  if(NOT TARGET ${target})
    continue()
  endif()
  _layers_closure(${target} _all)
  foreach(t ${_all})
    if(t MATCHES "^Qt6::" OR t STREQUAL "varnex_qt_host")
      message(FATAL_ERROR "layers: ${target} reaches ${t}; only the Qt host and the desktop program know Qt")
    endif()
  endforeach()
  if(NOT target STREQUAL "varnex_shell" AND "varnex_controls" IN_LIST _all AND target MATCHES "framework")
    message(FATAL_ERROR "layers: ${target} reaches varnex_controls; the framework must not know the controls")
  endif()
endforeach()

# The command-line tools are device code: no control, no list engine, no shell.
foreach(target varnex-cli varnex-sim)
  if(NOT TARGET ${target})
    continue()
  endif()
  _layers_closure(${target} _all)
  foreach(t varnex_controls varnex_listctrl varnex_shell)
    if(t IN_LIST _all)
      message(FATAL_ERROR "layers: ${target} reaches ${t}; the command-line tools link no window library")
    endif()
  endforeach()
endforeach()
