# One Debian package per install component. Every package of the source
# package orvelin carries its copyright and changelog.Debian.gz in its own
# /usr/share/doc/<package>, as Debian policy asks; both are made here, from
# LICENSE and the project version, and orvelin_debian_package installs them,
# with the lintian overrides that hold for every package, into each.
set(ORVELIN_DEBIAN_SOURCE orvelin)
set(debian_docs ${CMAKE_CURRENT_BINARY_DIR}/debian)

# The copyright holder and the licence text come from LICENSE, so the two
# cannot disagree; copyright.in names the licence by its Debian short name,
# and orvelin_debian_package makes each package's copyright from it.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "^MIT License\n+Copyright \\(c\\) ([^\n]+)\n+(.*)$")
  message(FATAL_ERROR "packaging/copyright.in describes the MIT (Expat) licence; LICENSE no longer starts with it")
endif()
set(copyright_holder "${CMAKE_MATCH_1}")
# The licence text as a field of the copyright file: each line indented by
# one space, an empty line written as " .".
string(STRIP "${CMAKE_MATCH_2}" license_text)
string(REGEX REPLACE "\n\n+" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text " ${license_text}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# The changelog's date is when the tree was last configured, or
# SOURCE_DATE_EPOCH when that is set, for a reproducible build.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(changelog.Debian.in ${debian_docs}/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${debian_docs}/changelog.Debian.gz
  COMMAND gzip -9nkf ${debian_docs}/changelog.Debian
  DEPENDS ${debian_docs}/changelog.Debian VERBATIM)
add_custom_target(orvelin_debian_docs ALL DEPENDS ${debian_docs}/changelog.Debian.gz)

# orvelin_debian_package(COMPONENT PACKAGE DESCRIPTION [COPYRIGHT_FILES TEXT
# COPYRIGHT_LICENSES TEXT]): the install component COMPONENT becomes the
# package PACKAGE, whose description's first line is the summary. A package
# that holds code of others says so in its copyright: COPYRIGHT_FILES, its
# Files paragraph, and COPYRIGHT_LICENSES, the licences' paragraphs. Further
# fields of one package (its dependencies) are set after the call as
# CPACK_DEBIAN_<COMPONENT>_... variables.
function(orvelin_debian_package component package description)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "COPYRIGHT_FILES;COPYRIGHT_LICENSES" "")
  set(more_files "")
  set(more_licenses "")
  if(arg_COPYRIGHT_FILES)
    set(more_files "\n${arg_COPYRIGHT_FILES}\n")
    set(more_licenses "\n\n${arg_COPYRIGHT_LICENSES}")
  endif()
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/copyright.in ${debian_docs}/${package}/copyright @ONLY)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_DESCRIPTION "${description}" PARENT_SCOPE)
  if(NOT package STREQUAL ORVELIN_DEBIAN_SOURCE)
    set(CPACK_DEBIAN_${upper}_PACKAGE_SOURCE ${ORVELIN_DEBIAN_SOURCE} PARENT_SCOPE)
  endif()
  set(CPACK_COMPONENTS_ALL ${CPACK_COMPONENTS_ALL} ${component} PARENT_SCOPE)
  # Packages only: a plain cmake --install has LICENSE already and no
  # Debian revision to tell of.
  install(FILES ${debian_docs}/${package}/copyright ${debian_docs}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/lintian-overrides RENAME ${package}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endfunction()
