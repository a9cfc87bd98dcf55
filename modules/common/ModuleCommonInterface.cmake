# quillon_module_common_interface(TARGET target)
#   Compiles the common interface and its CAM menu dialog into a module whose
#   device library has a common-interface class (CDVBComnIF): the target must
#   link that library, whose headers give the base class.
function(quillon_module_common_interface)
  cmake_parse_arguments(M "" "TARGET" "" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/modules/common)
  target_sources(${M_TARGET} PRIVATE ${dir}/CommonInterface.cpp ${dir}/CAMMenuDialog.cpp)
  # The channel record's service id and scrambled flag.
  target_link_libraries(${M_TARGET} PRIVATE chanedit_channels)
endfunction()
