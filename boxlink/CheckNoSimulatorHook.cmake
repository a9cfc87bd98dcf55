# Fails when the shipped library names the simulator's variable or its port
# export: the shipped device port must be bound to nothing but the driver.
# Usage: cmake -DBINARY=boxlink.dll -P CheckNoSimulatorHook.cmake
if(NOT EXISTS "${BINARY}")
  message(FATAL_ERROR "no such binary: ${BINARY}")
endif()
file(STRINGS "${BINARY}" hits REGEX "QUILLON_BOX_SIMULATOR|QuillonBoxPort|boxsim")
if(hits)
  message(FATAL_ERROR "${BINARY} carries a simulator hook: ${hits}")
endif()
message(STATUS "${BINARY}: no simulator hook")
