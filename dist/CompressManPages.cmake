# Runs in CPack after the install into its staging folder, before packing:
# gzip the manual pages there, as Debian policy wants.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/share/man/man[1-9]/[^/]+\\.[1-9]$")
if(NOT staged)
  message(FATAL_ERROR "no manual page under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
foreach(page IN LISTS staged)
  execute_process(COMMAND gzip -9n -f "${page}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not compress ${page}")
  endif()
endforeach()
