# The Windows program and its packages: velmora.exe linked statically (only Windows' own
# DLLs), the installer velmora-1.0-setup.exe (NSIS) and a portable zip.
#   cmake --build build-windows --target package-windows
# The header names Windows 10 as the oldest the program runs on (Qt 6.4 needs it), so an
# older Windows refuses it at once instead of failing on a missing DLL function.
target_link_options(velmora PRIVATE -s -Wl,--major-os-version,10,--minor-os-version,0
                    -Wl,--major-subsystem-version,10,--minor-subsystem-version,0)
set_target_properties(velmora PROPERTIES WIN32_EXECUTABLE ON)

# The program's own resources: the icon Explorer and shortcuts show, the version
# information (1.0 is file version 1.0.0.0) and the manifest.
set(VELMORA_FILE_VERSION_DOTS ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
set(VELMORA_FILE_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
set(VELMORA_ICON ${PROJECT_SOURCE_DIR}/resources/velmora.ico)
set(VELMORA_MANIFEST ${PROJECT_BINARY_DIR}/resources/velmora.manifest)
configure_file(resources/windows/velmora.manifest.in ${VELMORA_MANIFEST} @ONLY)
configure_file(resources/windows/velmora.rc.in ${PROJECT_BINARY_DIR}/resources/velmora.rc @ONLY)
target_sources(velmora PRIVATE ${PROJECT_BINARY_DIR}/resources/velmora.rc)
# windres reports no dependencies: name them.
set_source_files_properties(${PROJECT_BINARY_DIR}/resources/velmora.rc TARGET_DIRECTORY velmora PROPERTIES
                            OBJECT_DEPENDS "${VELMORA_ICON};${VELMORA_MANIFEST}")

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

# The same files to unpack anywhere and start from their folder, with the licence and
# the notices (.txt, so that Windows opens them).
add_custom_command(OUTPUT ${windows_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${windows_portable}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${windows_portable}/dris
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:velmora> ${windows_portable}/
  COMMAND ${CMAKE_COMMAND} -E copy ${windows_pictures} ${windows_portable}/dris/
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${windows_portable}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES
          ${windows_portable}/THIRD-PARTY-NOTICES.txt
  COMMAND ${CMAKE_COMMAND} -E tar cf ${windows_zip} --format=zip velmora-${PROJECT_VERSION}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/portable
  DEPENDS velmora ${windows_pictures} ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES
  COMMENT "Making the portable velmora-${PROJECT_VERSION}-windows.zip")

add_custom_target(package-windows ALL DEPENDS ${windows_setup} ${windows_zip})
