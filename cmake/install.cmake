# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# What `cmake --install` puts where: the programs, the desktop entry and its
# icons, the AppStream metadata, the manual pages made from the programs' own
# --help, bash completion, and the documents.
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(VARNEX_APP_ID org.varnex.Varnex)
set(VARNEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/varnex)
set(_gen ${CMAKE_BINARY_DIR}/packaging)

foreach(_program varnex varnex-cli varnex-sim)
  if(TARGET ${_program})
    install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
              ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION ${VARNEX_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/varnex-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  # The changelog as Debian keeps it: compressed, without a time stamp.
  add_custom_command(OUTPUT ${_gen}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_gen}
    COMMAND ${Python3_EXECUTABLE} -c
            "import gzip,sys; gzip.GzipFile(sys.argv[2], 'wb', 9, mtime=0).write(open(sys.argv[1], 'rb').read())"
            ${CMAKE_SOURCE_DIR}/packaging/debian/changelog ${_gen}/changelog.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
    VERBATIM)

  # Manual pages from each program's --help and --version (help2roff.py).
  set(_pages)
  function(varnex_man_page program summary)
    set(_page ${_gen}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${_page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${_gen}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/help2roff.py
              --program $<TARGET_FILE:${program}> --name ${program} --summary ${summary} --out ${_page}
              ${ARGN} --see-also varnex varnex-cli varnex-sim
      DEPENDS ${program} ${CMAKE_SOURCE_DIR}/packaging/help2roff.py
      VERBATIM)
    set(_pages ${_pages} ${_page} PARENT_SCOPE)
  endfunction()
  if(TARGET varnex)
    varnex_man_page(varnex "find and configure the network devices on the local segment")
  endif()
  varnex_man_page(varnex-cli "find and configure the network devices from scripts" --commands)
  varnex_man_page(varnex-sim "simulated network devices for trying varnex without hardware")
  add_custom_target(varnex_docs ALL DEPENDS ${_pages} ${_gen}/changelog.gz)
  install(FILES ${_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_gen}/changelog.gz DESTINATION ${VARNEX_DOC_DIR})
else()
  message(STATUS "Python 3 not found: no manual pages are made or installed")
endif()

if(TARGET varnex)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${VARNEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${VARNEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The application icon: SVG and PNGs drawn from the program's own design.
  add_executable(varnex-icon-export ${CMAKE_SOURCE_DIR}/packaging/icon_export.cpp)
  target_link_libraries(varnex-icon-export PRIVATE varnex_res Qt6::Gui)
  add_custom_command(OUTPUT ${_gen}/icons/hicolor/scalable/apps/varnex.svg
    COMMAND varnex-icon-export ${_gen}/icons varnex
    DEPENDS varnex-icon-export
    VERBATIM)
  add_custom_target(varnex_icons ALL DEPENDS ${_gen}/icons/hicolor/scalable/apps/varnex.svg)
  install(DIRECTORY ${_gen}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
