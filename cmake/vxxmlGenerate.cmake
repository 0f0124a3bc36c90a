# vxxml_generate(TARGET app SCHEMAS a.xsd ... [NAMESPACE_MAP uri=cpp::ns ...]
#                [INCLUDE_DIRS dir ...] [OUTPUT_DIR dir] [FILE_PER_TYPE])
#
# Compiles the schemas with vxxml-gen at build time, again whenever one of
# them (or a schema they include or import) changes, and adds the generated
# sources, their include directory and the vxxml library to the target.
#
# With an installed vxxml, the files the compiler writes are listed when the
# project is configured (vxxml-gen --list), so every one is a known output and
# the build tracks each. Inside vxxml's own build the compiler does not exist
# yet at that time: the target then compiles one source that includes them
# all, rewritten whenever any of them changes.
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
  set(options --quiet)
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

  get_target_property(imported vxxml::vxxml-gen IMPORTED)
  if(imported)
    get_target_property(generator vxxml::vxxml-gen LOCATION)
    execute_process(COMMAND ${generator} ${schemas} --list ${options}
                    OUTPUT_VARIABLE listing ERROR_VARIABLE error RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "vxxml_generate: ${error}")
    endif()
    string(REPLACE "\n" ";" listing "${listing}")
    set(outputs)
    set(sources)
    set(read)
    set(files TRUE)
    foreach(line IN LISTS listing)
      if(line STREQUAL "--")
        set(files FALSE)
      elseif(line AND files)
        list(APPEND outputs ${ARG_OUTPUT_DIR}/${line})
        if(line MATCHES "\\.cpp$")
          list(APPEND sources ${ARG_OUTPUT_DIR}/${line})
        endif()
      elseif(line)
        list(APPEND read ${line})
      endif()
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${read})
    add_custom_command(
      OUTPUT ${outputs}
      COMMAND vxxml::vxxml-gen ${schemas} -o ${ARG_OUTPUT_DIR} ${options}
      DEPENDS ${read} vxxml::vxxml-gen
      COMMENT "vxxml-gen: C++ classes for ${ARG_TARGET}"
      VERBATIM)
    target_sources(${ARG_TARGET} PRIVATE ${sources})
  else()
    set(unity ${ARG_TARGET}_vxxml.cpp)
    set(depfile ${ARG_OUTPUT_DIR}/${ARG_TARGET}_vxxml.d)
    # The files of the mapped namespaces are known by name: the build then
    # knows that a change of the schema changes them, and what includes them.
    set(byproducts)
    foreach(entry IN LISTS ARG_NAMESPACE_MAP)
      string(REGEX REPLACE ".*=" "" stem "${entry}")
      string(REPLACE "::" "_" stem "${stem}")
      list(APPEND byproducts ${ARG_OUTPUT_DIR}/${stem}.h ${ARG_OUTPUT_DIR}/${stem}.cpp)
    endforeach()
    add_custom_command(
      OUTPUT ${ARG_OUTPUT_DIR}/${unity}
      BYPRODUCTS ${byproducts}
      COMMAND vxxml::vxxml-gen ${schemas} -o ${ARG_OUTPUT_DIR} --unity ${unity}
              --depfile ${depfile} ${options}
      DEPENDS ${schemas} vxxml::vxxml-gen
      DEPFILE ${depfile}
      COMMENT "vxxml-gen: C++ classes for ${ARG_TARGET}"
      VERBATIM)
    target_sources(${ARG_TARGET} PRIVATE ${ARG_OUTPUT_DIR}/${unity})
  endif()
  target_include_directories(${ARG_TARGET} PUBLIC ${ARG_OUTPUT_DIR})
  target_link_libraries(${ARG_TARGET} PUBLIC vxxml::vxxml)
endfunction()
