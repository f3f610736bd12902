# What `cmake --install` lays out under the prefix, and the Debian package CPack builds from
# it (`cpack -G DEB` in the build folder):
#
#   bin/calivue, bin/calivue-cli
#   lib/calivue/KVO <Language>.so            language modules, found relative to bin/
#   share/applications/calivue.desktop       menu entry, opens a double-clicked snapshot
#   share/mime/packages/calivue.xml          the snapshot and report-project file types
#   share/icons/hicolor/{scalable,NxN}/apps  the program's icon
#   share/thumbnailers/calivue.thumbnailer   thermal thumbnails in file managers
#   share/man/man1/calivue-cli.1             from the tool's own --help
#
# Start-up looks for the language modules beside the executable (the build tree) and then in
# ../lib/calivue (an installed prefix), so the prefix can be moved as a whole.

set(CALIVUE_MODULE_INSTALL_DIR lib/calivue)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS calivue-cli RUNTIME DESTINATION bin)

# The manual page is the tool's own --help, so it never drifts from the options.
find_program(CALIVUE_HELP2MAN help2man)
if(CALIVUE_HELP2MAN)
  set(man_page ${CMAKE_BINARY_DIR}/man/calivue-cli.1)
  add_custom_command(
    OUTPUT ${man_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CALIVUE_HELP2MAN} --no-info --no-discard-stderr
            --version-string=${PROJECT_VERSION}
            --name "batch tool for radiometric thermal snapshots"
            --output ${man_page} $<TARGET_FILE:calivue-cli>
    DEPENDS calivue-cli
    COMMENT "Generating the calivue-cli manual page"
    VERBATIM)
  add_custom_target(calivue_man ALL DEPENDS ${man_page})
  install(FILES ${man_page} DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: the calivue-cli manual page is not built")
endif()

if(CALIVUE_WITH_QT)
  install(TARGETS calivue RUNTIME DESTINATION bin)
  # The thumbnail subcommand exists only in builds with Qt.
  install(FILES ${packaging}/calivue.thumbnailer DESTINATION share/thumbnailers)
  install(FILES ${packaging}/calivue.desktop DESTINATION share/applications)
  install(FILES ${packaging}/calivue-mime.xml DESTINATION share/mime/packages
          RENAME calivue.xml)
  install(FILES ${packaging}/icons/calivue.svg DESTINATION share/icons/hicolor/scalable/apps)

  # The PNG sizes are rendered from the one SVG at build time.
  find_package(Qt6 REQUIRED COMPONENTS Svg)
  add_executable(calivue_iconpng ${packaging}/tools/iconpng.cpp)
  target_link_libraries(calivue_iconpng PRIVATE Qt6::Gui Qt6::Svg)
  set_target_properties(calivue_iconpng PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                   ${CMAKE_BINARY_DIR}/tools)
  set(icon_sizes 16 22 24 32 48 64 128 256)
  set(icon_dir ${CMAKE_BINARY_DIR}/icons)
  set(icon_pngs)
  foreach(size ${icon_sizes})
    list(APPEND icon_pngs ${icon_dir}/calivue-${size}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${icon_pngs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:calivue_iconpng> ${packaging}/icons/calivue.svg ${icon_dir} ${icon_sizes}
    DEPENDS calivue_iconpng ${packaging}/icons/calivue.svg
    COMMENT "Rendering the program icon"
    VERBATIM)
  add_custom_target(calivue_icons ALL DEPENDS ${icon_pngs})
  foreach(size ${icon_sizes})
    install(FILES ${icon_dir}/calivue-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME calivue.png)
  endforeach()
endif()

# --- Debian package ---------------------------------------------------------------------------
set(CPACK_PACKAGE_NAME calivue)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Calivue developers")
set(CPACK_PACKAGE_CONTACT "Calivue developers <dev@calivue.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Thermal snapshot analysis and inspection reports")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Opens the radiometric snapshots of a 320 x 240 thermal camera, turns raw counts into\n"
  "temperatures, offers measuring tools on the picture and writes inspection reports.\n"
  "Includes calivue-cli, a headless batch tool, and a file-manager thumbnailer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# shlibdeps finds the Qt libraries; these are needed at run time without being linked: the
# display plug-ins, the metric-compatible fonts the pictures' labels are laid out with, and
# the databases whose dpkg triggers register the menu entry, file types and icon on install.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-liberation, shared-mime-info, desktop-file-utils, hicolor-icon-theme")
# The Chinese, Japanese and Korean interfaces and reports need a font with their glyphs; Qt's
# own dialog texts are translated when its catalogues are installed.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-wqy-microhei, qt6-translations-l10n")
set(CPACK_GENERATOR DEB)
include(CPack)
