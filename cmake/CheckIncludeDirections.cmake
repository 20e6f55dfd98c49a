# cmake -DSOURCE_DIR=<tree> -P CheckIncludeDirections.cmake
#
# Dependencies run one way, downwards:
#   app -> windows -> agent -> character -> base
#   voice -> character -> base         (the speech module, loaded at run time)
#   app -> dictionary -> base          (tools -> dictionary -> base)
# A file may include from its own folder and from the folders below it,
# never from a folder above it or beside it; and no class makes a class of
# another file its friend. Fails listing every offending line.
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "Pass -DSOURCE_DIR=<source tree>")
endif()

set(rooms base dictionary character voice agent windows app tools)
set(below_base base)
set(below_dictionary dictionary base)
set(below_character character base)
set(below_voice voice character base)
set(below_agent agent character base)
set(below_windows windows agent character base)
set(below_app app windows agent character dictionary base)
set(below_tools tools dictionary base)

set(faults "")
set(checked 0)
foreach(room IN LISTS rooms)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${room}/*.h" "${SOURCE_DIR}/${room}/*.cpp")
  foreach(file IN LISTS files)
    math(EXPR checked "${checked} + 1")
    file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"([^\"/]+)/" _ "${line}")
      set(target "${CMAKE_MATCH_1}")
      if(target IN_LIST rooms AND NOT target IN_LIST below_${room})
        string(APPEND faults "  ${shown}: ${line}  (${room}/ may not use ${target}/)\n")
      endif()
    endforeach()
    file(STRINGS "${file}" friends REGEX "(^|[^A-Za-z0-9_])friend[ \t]+(class|struct)[ \t]")
    foreach(line IN LISTS friends)
      string(STRIP "${line}" line)
      string(APPEND faults "  ${shown}: ${line}  (no friend across files)\n")
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "No sources found under ${SOURCE_DIR}")
endif()
if(faults)
  message(FATAL_ERROR "Dependencies must run downwards:\n${faults}")
endif()
message(STATUS "${checked} files include only their own folder and the folders below it")
