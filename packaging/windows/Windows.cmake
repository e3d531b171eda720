# The Windows install: the programs with the Qt DLLs, plugins and
# translations they load and the compiler's runtime beside them, so the
# folder runs on a PC without Qt; and the setup program made from it with
# NSIS (cmake --build BUILD --target setup).

# Each file goes both into the install and into the build folder, laid out
# alike (bin, plugins, translations), so the programs and tests of the build
# run under Wine as the installed ones run on Windows.
add_custom_target(windows_runtime ALL)
# BUILD_ONLY: what only the tests load.
function(vosk_windows_runtime destination)
  cmake_parse_arguments(PARSE_ARGV 1 arg "BUILD_ONLY" "" "")
  foreach(file ${arg_UNPARSED_ARGUMENTS})
    add_custom_command(TARGET windows_runtime POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${destination}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${CMAKE_BINARY_DIR}/${destination}
      VERBATIM)
    if(NOT arg_BUILD_ONLY)
      install(FILES ${file} DESTINATION ${destination})
    endif()
  endforeach()
endfunction()

if(VOSK_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  vosk_windows_runtime(bin BUILD_ONLY $<TARGET_FILE:Qt6::Test>)
endif()
set(VOSK_QT_DLLS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
if(TARGET Qt6::Svg)
  list(APPEND VOSK_QT_DLLS Qt6::Svg)
endif()
foreach(dll ${VOSK_QT_DLLS})
  vosk_windows_runtime(bin $<TARGET_FILE:${dll}>)
endforeach()
# windows: the window; minimal: the tool, which draws without showing
# anything and takes the system's fonts; offscreen: the tests.
vosk_windows_runtime(plugins/platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
                     $<TARGET_FILE:Qt6::QMinimalIntegrationPlugin> $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
vosk_windows_runtime(plugins/styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
vosk_windows_runtime(translations ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}/qtbase_ja.qm)
# Qt finds its plugins and translations from the programs' folder.
file(WRITE ${CMAKE_BINARY_DIR}/runtime/qt.conf "[Paths]\r\nPrefix = ..\r\n")
vosk_windows_runtime(bin ${CMAKE_BINARY_DIR}/runtime/qt.conf)

if(MINGW)
  # Qt was built against the compiler's runtime DLLs; they go with it.
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
      message(FATAL_ERROR "the compiler's ${dll} was not found")
    endif()
    vosk_windows_runtime(bin ${path})
  endforeach()
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vosk.ico ${CMAKE_CURRENT_LIST_DIR}/datasheet.ico DESTINATION bin)

# The setup program: the install staged into a folder of the build, then
# packed by makensis into vosk-<version>-setup.exe.
find_program(VOSK_MAKENSIS makensis)
if(VOSK_MAKENSIS)
  set(VOSK_STAGE ${CMAKE_BINARY_DIR}/stage)
  set(VOSK_SETUP ${CMAKE_BINARY_DIR}/vosk-${PROJECT_VERSION}-setup.exe)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/vosk.nsi.in ${CMAKE_BINARY_DIR}/vosk.nsi @ONLY)
  add_custom_target(setup
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${VOSK_STAGE}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${VOSK_STAGE}
    COMMAND ${VOSK_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${CMAKE_BINARY_DIR}/vosk.nsi
    DEPENDS vosk vosk-sheet
    BYPRODUCTS ${VOSK_SETUP}
    COMMENT "Making ${VOSK_SETUP}"
    VERBATIM)
endif()
