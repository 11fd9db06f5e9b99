# The literal generator runs at build time: UTF-8 lists in, code-page-936
# constant blocks out (see tools/literals/horavia-literals.cpp).

add_executable(horavia-literals ${PROJECT_SOURCE_DIR}/tools/literals/horavia-literals.cpp)
target_link_libraries(horavia-literals PRIVATE horavia_platform_text)

# horavia_add_literals(OUT_VAR INPUT NAMESPACE STEM [DEPENDS files...])
# Generates STEM.h and STEM.cpp in the current binary folder; OUT_VAR receives
# both paths for a target's sources. Include the header as "STEM.h".
function(horavia_add_literals out_var input ns stem)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  set(h ${CMAKE_CURRENT_BINARY_DIR}/${stem}.h)
  set(c ${CMAKE_CURRENT_BINARY_DIR}/${stem}.cpp)
  add_custom_command(
    OUTPUT ${h} ${c}
    COMMAND horavia-literals ${input} ${h} ${c} ${ns}
    DEPENDS horavia-literals ${input} ${ARG_DEPENDS}
    COMMENT "Generating literals ${stem}"
    VERBATIM)
  set(${out_var} ${h} ${c} PARENT_SCOPE)
endfunction()
