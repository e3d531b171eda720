# The desktop integration and the Debian package (make package).

set(VOSK_APP_ID jp.vosk.Vosk)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${VOSK_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${VOSK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${VOSK_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vosk-datasheet.xml DESTINATION share/mime/packages RENAME vosk.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/application-x-vosk-datasheet.svg
        DESTINATION share/icons/hicolor/scalable/mimetypes)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vosk)
set(CPACK_PACKAGE_VENDOR "Vosk development team")
set(CPACK_PACKAGE_CONTACT "Vosk development team <vosk@vosk.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Data sheets of the simple dynamic cone penetration test")
set(CPACK_PACKAGE_DESCRIPTION "Vosk keeps one test point of a simple dynamic cone penetration test \
as a data sheet file (.vkr) and draws its report sheet; vosk-sheet renders and converts data sheets \
from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vosk.jp/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library dependency names them: the report's
# Japanese fonts and Qt's own Japanese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n")
# Their dpkg triggers rebuild the MIME and desktop-entry caches and the icon
# cache when the package adds or removes its files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
include(CPack)
