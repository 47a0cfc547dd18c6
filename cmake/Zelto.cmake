# Helpers shared by the project's CMake files.

# zelto_glob(VAR DIR...): the .cpp files directly in the given folders, sorted.
function(zelto_glob out)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# zelto_framework(NAME [DEPENDS libs...]): one stand-in framework as a shared library made of
# host/frameworks/NAME/*.cpp.
function(zelto_framework name)
  cmake_parse_arguments(FW "" "" "DEPENDS" ${ARGN})
  zelto_glob(sources ${CMAKE_SOURCE_DIR}/host/frameworks/${name})
  if(sources)
    add_library(${name} SHARED ${sources})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/host/frameworks/${name})
    target_link_libraries(${name} PUBLIC zelto_host_headers ${FW_DEPENDS})
    set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/frameworks)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE zelto_host_headers ${FW_DEPENDS})
  endif()
endfunction()

# zelto_program_start_path(TARGET VAR): the path by which a process of this build (the add-on, the
# stand-in host) starts the program TARGET of this build. Natively that is the program itself. In a
# cross build every process runs under the emulator, which cannot start a program of the emulated
# processor by itself (the kernel refuses its format), so VAR names a shell script beside the build's
# programs that starts TARGET under the emulator; the kernel starts a script on any processor.
function(zelto_program_start_path target out)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${out} $<TARGET_FILE:${target}> PARENT_SCOPE)
    return()
  endif()
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR "\" \"" emulator)
  set(script ${CMAKE_BINARY_DIR}/start/${target})
  file(GENERATE OUTPUT ${script}
       CONTENT "#!/bin/sh\nexec \"${emulator}\" \"$<TARGET_FILE:${target}>\" \"$@\"\n"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(${out} ${script} PARENT_SCOPE)
endfunction()
