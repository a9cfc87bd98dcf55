# The exports of a hardware module at its kind's ordinals. The host binds by
# name, but each kind has its own ordinals past 34, and a module's .def file
# is written from this one table.
#
# quillon_module_exports(TARGET target KIND kind)
#   Writes <target>.def into the build tree with the exports of the kind
#   (kestrel, merlin, osprey, falcon, harrier or condor), links the target with
#   it, and checks the built DLL's export table against it. The check runs in
#   the 32-bit tree, which may build only the deliverables: the target is
#   built with them.

function(quillon_module_exports)
  # Ordinals 1 to 34, the same in every kind.
  set(common_exports
    _QLONExModule _InitDVBHardware _CloseDVBHardware _GetDeviceID _CreateVideoWindow _DeleteVideoWindow
    _SetWindowPositions _SetScreenMode _GetVideoWindowHandle _SetColorValues _SetVolume _SetMute
    _SetTunerChannel _SetTunerStateCallback _SendDiSEqC _StartPlayback _StartRecord _StartTimeshift
    _SpeedRecPlay _StartFilter _StopFilter _StartTeletext _StopTeletext _HasDeviceRemote _StartRemote
    _StopRemote _GetDeviceMAC _OpenDeviceDependentProperties _EnterCAMDialog _SetPids _StopRecPlay
    _SeekPlayback _SetBobMode _QLONExModuleInfo)

  # The rest, one column per kind ("-": the kind does not export it).
  set(kinds kestrel merlin osprey falcon harrier condor)
  set(kind_exports
    #                       kestrel merlin osprey falcon harrier condor
    "_SetApplicationHandle  35      35     35     35     38      35"
    "_MakeSnapshot          36      37     36     37     -       36"
    "_SetDolbyMode          38      36     38     36     -       38"
    "_GetDeviceCount        37      38     37     38     37      37"
    "_SetSurface            -       -      -      -      39      -"
    "_SetADSwitch           -       -      -      -      40      -"
  )

  cmake_parse_arguments(M "" "TARGET;KIND" "" ${ARGN})
  list(FIND kinds "${M_KIND}" column)
  if(column LESS 0)
    message(FATAL_ERROR "quillon_module_exports: unknown module kind '${M_KIND}'")
  endif()
  set(def "LIBRARY ${M_TARGET}\nEXPORTS\n")
  set(ordinal 1)
  foreach(name IN LISTS common_exports)
    string(APPEND def "  ${name} @${ordinal}\n")
    math(EXPR ordinal "${ordinal} + 1")
  endforeach()
  foreach(row IN LISTS kind_exports)
    string(REGEX REPLACE "[ ]+" ";" cells "${row}")
    list(GET cells 0 name)
    math(EXPR at "${column} + 1")
    list(GET cells ${at} ordinal)
    if(NOT ordinal STREQUAL "-")
      string(APPEND def "  ${name} @${ordinal}\n")
    endif()
  endforeach()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${M_TARGET}.def)
  file(GENERATE OUTPUT ${file} CONTENT "${def}")
  set_source_files_properties(${file} PROPERTIES GENERATED TRUE)
  target_sources(${M_TARGET} PRIVATE ${file})
  quillon_check_exports(TARGET ${M_TARGET} DEF ${file})
  add_dependencies(deliverables ${M_TARGET})
endfunction()
