# Fails when a source file includes a header of a layer above its own, or when a layer
# that must do without Qt includes a Qt header. The layers, lowest first:
#   runtime -> lesson -> accessibility -> toolkit -> xpcontrols -> app
# (lesson, the lesson's model, sits beside accessibility and toolkit: neither sees the
# other; accessibility sees Qt alone.)
#   cmake -DSOURCE=<repository> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(layers runtime lesson accessibility toolkit xpcontrols app)
set(runtime_may runtime)
set(lesson_may runtime lesson)
set(accessibility_may accessibility)
set(toolkit_may runtime accessibility toolkit)
set(xpcontrols_may runtime accessibility toolkit xpcontrols)
set(app_may runtime lesson accessibility toolkit xpcontrols app)
set(without_qt runtime lesson)

set(faults "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files ${SOURCE}/${layer}/*.h ${SOURCE}/${layer}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
      string(REGEX MATCH "^[^/]+" top "${header}")
      if(top IN_LIST layers AND header MATCHES "/" AND NOT top IN_LIST ${layer}_may)
        list(APPEND faults "${file}: ${layer}/ includes ${header}, a layer above it")
      endif()
      if(layer IN_LIST without_qt AND header MATCHES "^Q")
        list(APPEND faults "${file}: ${layer}/ is built without Qt but includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Includes that point up a layer:\n${text}")
endif()
