# The Windows program and its packages: velmora.exe linked statically (only Windows' own
# DLLs), the installer velmora-1.0-setup.exe (NSIS), the MSI velmora-1.0.msi (wixl) and a
# portable zip.
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
set(windows_licence ${PROJECT_SOURCE_DIR}/LICENSE)
set(windows_notices ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES)

# The installer writes exactly these pictures and its uninstaller removes exactly these.
set(picture_list ${PROJECT_BINARY_DIR}/windows-pictures.nsh)
set(picture_lines "; The pictures of dris/ the installer writes, listed when the build was configured.\n")
string(APPEND picture_lines "!macro ForEachPicture DO\n")
foreach(picture IN LISTS windows_pictures)
  get_filename_component(name ${picture} NAME)
  string(APPEND picture_lines "  !insertmacro \${DO} \"${name}\"\n")
endforeach()
string(APPEND picture_lines "!macroend\n")
file(CONFIGURE OUTPUT ${picture_list} CONTENT "${picture_lines}" @ONLY)

# The licence page shows the licence, then the notices, as one UTF-8 text.
set(licence_page ${PROJECT_BINARY_DIR}/windows-licence-page.txt)
add_custom_command(OUTPUT ${licence_page}
  COMMAND ${CMAKE_COMMAND} -DLICENCE=${windows_licence} -DNOTICES=${windows_notices} -DOUTPUT=${licence_page}
          -P ${PROJECT_SOURCE_DIR}/cmake/LicencePage.cmake
  DEPENDS ${windows_licence} ${windows_notices} ${PROJECT_SOURCE_DIR}/cmake/LicencePage.cmake)

set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/velmora.nsi)
add_custom_command(OUTPUT ${windows_setup}
  COMMAND ${VELMORA_MAKENSIS} -V2 -DEXE=$<TARGET_FILE:velmora> -DPICTURES=${PROJECT_SOURCE_DIR}/dris
          -DPICTURE_LIST=${picture_list} -DLICENSE_FILE=${windows_licence} -DNOTICES_FILE=${windows_notices}
          -DLICENCE_PAGE=${licence_page} -DICON=${VELMORA_ICON} -DOUTFILE=${windows_setup} ${installer_script}
  DEPENDS velmora ${installer_script} ${picture_list} ${licence_page} ${VELMORA_ICON} ${windows_pictures}
  COMMENT "Making the installer velmora-${PROJECT_VERSION}-setup.exe")

# The MSI, for deployment by a school's IT, when msitools' wixl is there: built from the
# installed files gathered in msi/, with one component per picture of dris/.
find_program(VELMORA_WIXL wixl)
set(windows_msi ${PROJECT_BINARY_DIR}/velmora-${PROJECT_VERSION}.msi)
if(VELMORA_WIXL)
  set(msi_pictures ${PROJECT_BINARY_DIR}/windows-pictures.wxi)
  set(components "")
  set(references "")
  foreach(picture IN LISTS windows_pictures)
    get_filename_component(name ${picture} NAME)
    string(MAKE_C_IDENTIFIER "Picture_${name}" id)
    string(APPEND components "      <Component Id=\"${id}\" Guid=\"*\" Win64=\"yes\">"
                             "<File Id=\"${id}\" Source=\"dris/${name}\" KeyPath=\"yes\"/></Component>\n")
    string(APPEND references "      <ComponentRef Id=\"${id}\"/>\n")
  endforeach()
  file(CONFIGURE OUTPUT ${msi_pictures} @ONLY CONTENT [=[<?xml version="1.0" encoding="utf-8"?>
<!-- The pictures of dris/ the MSI installs, listed when the build was configured. -->
<Include>
  <Fragment>
    <DirectoryRef Id="PictureFolder">
@components@    </DirectoryRef>
    <ComponentGroup Id="Pictures">
@references@    </ComponentGroup>
  </Fragment>
</Include>
]=])
  set(msi_files ${PROJECT_BINARY_DIR}/msi)
  set(msi_script ${PROJECT_SOURCE_DIR}/packaging/windows/velmora.wxs)
  add_custom_command(OUTPUT ${windows_msi}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${msi_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${msi_files}/dris
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:velmora> ${VELMORA_ICON} ${msi_files}/
    COMMAND ${CMAKE_COMMAND} -E copy ${windows_licence} ${msi_files}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${windows_notices} ${msi_files}/THIRD-PARTY-NOTICES.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${windows_pictures} ${msi_files}/dris/
    COMMAND ${CMAKE_COMMAND} -E chdir ${msi_files}
            ${VELMORA_WIXL} -a x64 -I ${PROJECT_BINARY_DIR} -o ${windows_msi} ${msi_script}
    DEPENDS velmora ${msi_script} ${msi_pictures} ${VELMORA_ICON} ${windows_licence} ${windows_notices}
            ${windows_pictures}
    COMMENT "Making the MSI velmora-${PROJECT_VERSION}.msi")
else()
  message(STATUS "wixl (Debian's package wixl) not found: no MSI")
  set(windows_msi "")
endif()

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

add_custom_target(package-windows ALL DEPENDS ${windows_setup} ${windows_zip} ${windows_msi})
