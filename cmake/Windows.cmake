# The Windows program and its packages: velmora.exe linked statically (only Windows' own
# DLLs), the installer velmora-1.0-setup.exe (NSIS) and a portable zip.
#   cmake --build build-windows --target package-windows
target_link_options(velmora PRIVATE -s)
set_target_properties(velmora PROPERTIES WIN32_EXECUTABLE ON)

find_program(VELMORA_MAKENSIS makensis)
set(windows_setup ${PROJECT_BINARY_DIR}/velmora-${PROJECT_VERSION}-setup.exe)
set(windows_zip ${PROJECT_BINARY_DIR}/velmora-${PROJECT_VERSION}-windows.zip)
set(windows_portable ${PROJECT_BINARY_DIR}/portable/velmora-${PROJECT_VERSION})
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/portable)
file(GLOB windows_pictures CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/dris/*.jpg)

add_custom_command(OUTPUT ${windows_setup}
  COMMAND ${VELMORA_MAKENSIS} -V2 -DEXE=$<TARGET_FILE:velmora> -DPICTURES=${PROJECT_SOURCE_DIR}/dris
          -DOUTFILE=${windows_setup} ${PROJECT_SOURCE_DIR}/packaging/windows/velmora.nsi
  DEPENDS velmora ${PROJECT_SOURCE_DIR}/packaging/windows/velmora.nsi ${windows_pictures}
  COMMENT "Making the installer velmora-${PROJECT_VERSION}-setup.exe")

# The same files to unpack anywhere and start from their folder.
add_custom_command(OUTPUT ${windows_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${windows_portable}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${windows_portable}/dris
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:velmora> ${windows_portable}/
  COMMAND ${CMAKE_COMMAND} -E copy ${windows_pictures} ${windows_portable}/dris/
  COMMAND ${CMAKE_COMMAND} -E tar cf ${windows_zip} --format=zip velmora-${PROJECT_VERSION}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/portable
  DEPENDS velmora ${windows_pictures}
  COMMENT "Making the portable velmora-${PROJECT_VERSION}-windows.zip")

add_custom_target(package-windows ALL DEPENDS ${windows_setup} ${windows_zip})
