# vxxml_generate(TARGET app SCHEMAS a.xsd ... [NAMESPACE_MAP uri=cpp::ns ...]
#                [INCLUDE_DIRS dir ...] [OUTPUT_DIR dir] [FILE_PER_TYPE])
#
# Compiles the schemas with vxxml-gen at build time, again whenever one of
# them (or a schema they include or import) changes, and adds the generated
# sources, their include directory and the vxxml library to the target.
function(vxxml_generate)
  cmake_parse_arguments(ARG "FILE_PER_TYPE" "TARGET;OUTPUT_DIR" "SCHEMAS;NAMESPACE_MAP;INCLUDE_DIRS"
                        ${ARGN})
  if(NOT ARG_TARGET OR NOT ARG_SCHEMAS)
    message(FATAL_ERROR "vxxml_generate: TARGET and SCHEMAS are required")
  endif()
  if(NOT ARG_OUTPUT_DIR)
    set(ARG_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR}/vxxml_generated/${ARG_TARGET})
  endif()
  set(schemas)
  foreach(schema IN LISTS ARG_SCHEMAS)
    get_filename_component(schema "${schema}" ABSOLUTE)
    list(APPEND schemas "${schema}")
  endforeach()
  set(options)
  foreach(entry IN LISTS ARG_NAMESPACE_MAP)
    list(APPEND options --namespace-map "${entry}")
  endforeach()
  foreach(dir IN LISTS ARG_INCLUDE_DIRS)
    get_filename_component(dir "${dir}" ABSOLUTE)
    list(APPEND options -I "${dir}")
  endforeach()
  if(ARG_FILE_PER_TYPE)
    list(APPEND options --file-per-type)
  endif()
  set(unity ${ARG_TARGET}_vxxml.cpp)
  set(depfile ${ARG_OUTPUT_DIR}/${ARG_TARGET}_vxxml.d)
  add_custom_command(
    OUTPUT ${ARG_OUTPUT_DIR}/${unity}
    COMMAND vxxml::vxxml-gen ${schemas} -o ${ARG_OUTPUT_DIR} --unity ${unity}
            --depfile ${depfile} --quiet ${options}
    DEPENDS ${schemas} vxxml::vxxml-gen
    DEPFILE ${depfile}
    COMMENT "vxxml-gen: C++ classes for ${ARG_TARGET}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${ARG_OUTPUT_DIR}/${unity})
  set_source_files_properties(${ARG_OUTPUT_DIR}/${unity} PROPERTIES GENERATED TRUE)
  target_include_directories(${ARG_TARGET} PUBLIC ${ARG_OUTPUT_DIR})
  target_link_libraries(${ARG_TARGET} PUBLIC vxxml::vxxml)
endfunction()
