# The Debian package: `cpack -G DEB` in a configured and built tree (scripts/package.sh does it
# all) packs what `cmake --install` installs under /usr into moji-outline_<version>_<arch>.deb.
#
# This file is read twice: by CMake while configuring, where it sets the CPack variables, and
# by CPack itself as a script run on the installed tree just before the package is made, where
# it makes that tree what dpkg and lintian expect of a Debian package.

# Read by CPack (CPACK_PRE_BUILD_SCRIPTS) on its staging copy of the install tree: there is no
# project then, and the staging folder is known. A function keeps its variables out of CPack's.
function(moji_make_staged_tree_debian staging prefix strip)
  set(root "${staging}${prefix}")
  if(NOT IS_DIRECTORY "${root}")
    message(FATAL_ERROR "The staged install tree is not at ${root}")
  endif()

  # Debian keeps manual pages and change logs gzip-compressed, at the highest level and without
  # a time stamp in the header, so that building the package twice gives the same bytes.
  find_program(MOJI_GZIP gzip REQUIRED)
  file(GLOB_RECURSE manual_pages "${root}/share/man/*")
  file(GLOB change_logs "${root}/share/doc/*/changelog")
  foreach(file IN LISTS manual_pages change_logs)
    if(NOT file MATCHES "\\.gz$")
      execute_process(COMMAND "${MOJI_GZIP}" -9 -n -f "${file}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
  endforeach()

  # CPack has stripped the programs of their symbols; the compiler's notes in .comment go too.
  file(GLOB programs "${root}/bin/*")
  foreach(program IN LISTS programs)
    execute_process(COMMAND "${strip}" --remove-section=.comment "${program}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()

  # Whatever the umask of the machine that built it: folders and programs 0755, the rest 0644.
  set(executable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                 WORLD_EXECUTE)
  set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true "${staging}/*")
  foreach(entry IN LISTS entries)
    if(IS_SYMLINK "${entry}")
      continue()
    elseif(IS_DIRECTORY "${entry}" OR entry MATCHES "/bin/[^/]+$")
      file(CHMOD "${entry}" PERMISSIONS ${executable})
    else()
      file(CHMOD "${entry}" PERMISSIONS ${readable})
    endif()
  endforeach()
endfunction()

if(NOT DEFINED PROJECT_NAME AND DEFINED CPACK_TEMPORARY_INSTALL_DIRECTORY)
  moji_make_staged_tree_debian("${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
                               "${CPACK_PACKAGING_INSTALL_PREFIX}" "${CPACK_MOJI_STRIP}")
  return()
endif()

# The person or team answering for the package; it also signs data/changelog.
set(MOJI_PACKAGE_MAINTAINER "The moji-outline developers <moji-outline@mojioutline.github.io>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moji-outline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The moji-outline developers")
set(CPACK_PACKAGE_CONTACT "${MOJI_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "show how a character of a font is built from outline curves")
# CPack indents these lines under the summary; an empty line separates paragraphs.
set(CPACK_PACKAGE_DESCRIPTION [[
moji-outline shows how a character of a TrueType or OpenType font is made.
Pick a face, type a character, and the window lists the character's
contours point by point, draws each contour in its own colour and marks
which points lie on the curve and which only pull it into shape. With
motion turned on, the points drift and flee the mouse while a button is
held.

The same drawings and listings are available from the command line,
without a window or a display, as PNG or SVG pictures and text reports.
The window's text is Japanese.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_MOJI_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_FILE})

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MOJI_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://mojioutline.github.io/moji-outline/")
# dpkg-shlibdeps adds the libraries the program links to (Qt, FreeType, fontconfig, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's text is Japanese: without a Japanese outline font it shows empty boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-vlgothic | fonts-noto-cjk")
# Qt draws SVG icons, such as the window's own, through the plugins in libqt6svg6, which
# dpkg-shlibdeps cannot see because the program does not link to them.
# Qt's own texts (the text boxes' menus, the standard dialogs) come in Japanese from
# qt6-translations-l10n; without it they stay in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `cpack --config CPackSourceConfig.cmake` packs the sources, without build trees or Git's files.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/build-[^/]*/")

include(CPack)
