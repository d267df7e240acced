# kelvora_embed_version(<target> [DESCRIPTION <text>])
#
# Compiles a version record into a program: product name, company and the file
# version from the project's version, found again on disk by TVerInfoRes.
# Each program of the product calls it once.

function(kelvora_embed_version target)
  set(company "Zandrovel")
  cmake_parse_arguments(arg "" "DESCRIPTION" "" ${ARGN})
  get_target_property(file_name ${target} OUTPUT_NAME)
  if(NOT file_name)
    set(file_name ${target})
  endif()
  if(NOT arg_DESCRIPTION)
    set(arg_DESCRIPTION "${KELVORA_PRODUCT_NAME}")
  endif()

  # Values become C string text on one record line each.
  foreach(pair "RECORD_PRODUCT;${KELVORA_PRODUCT_NAME}" "RECORD_COMPANY;${company}"
               "RECORD_DESCRIPTION;${arg_DESCRIPTION}" "RECORD_FILE;${file_name}")
    list(GET pair 0 name)
    list(GET pair 1 value)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(REGEX REPLACE "[\r\n]+" " " value "${value}")
    set(KELVORA_${name} "${value}")
  endforeach()
  set(KELVORA_RECORD_TARGET ${target})
  set(KELVORA_RECORD_VERSION "${PROJECT_VERSION}")
  set(KELVORA_RECORD_TRANSLATION "040904B0") # US English, Unicode

  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_record.cpp")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/versionrecord.cpp.in" "${out}" @ONLY)
  target_sources(${target} PRIVATE "${out}")
endfunction()
