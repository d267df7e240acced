# Run by CPack before it packs: everything below /opt must sit in the maker's
# folder, where the programs find each other and the common data.
if(NOT IS_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/opt")
  message(FATAL_ERROR "No installed tree in '${CPACK_TEMPORARY_INSTALL_DIRECTORY}' to check")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(f IN LISTS files)
  if(NOT f MATCHES "^(opt/Zandrovel/|usr/)")
    message(FATAL_ERROR "The package would install ${f} outside /opt/Zandrovel and /usr")
  endif()
endforeach()
