# Run as a test: fails when a source outside host/ includes SDL, OpenGL or
# EGL headers. Those libraries belong to host/; everything else goes through
# host/'s own headers, so a backend can change without touching the engine.
# Usage: cmake -DROOT=<source dir> -P CheckHostIncludes.cmake
set(found "")
foreach(dir SERVICE engine game tools bench tests/SERVICE tests/engine tests/game tests/tools tests/support)
  file(GLOB_RECURSE sources ${ROOT}/${dir}/*.cpp ${ROOT}/${dir}/*.h ${ROOT}/${dir}/*.c)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](SDL|SDL2/|GL/|GLES|EGL/|KHR/)")
    foreach(line IN LISTS lines)
      string(APPEND found "${source}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Only host/ may include SDL or OpenGL headers:\n${found}")
endif()
