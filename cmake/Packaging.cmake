# The Debian package: `cpack -G DEB` in the build folder (scripts/test-package builds and tries
# it). Library dependencies come from dpkg-shlibdeps; the plugins Qt and GStreamer load at run
# time, the CJK fonts and Qt's Chinese translations are named here because nothing links them.
set(CPACK_PACKAGE_NAME zyntra)
set(CPACK_PACKAGE_VENDOR "Zyntra")
set(CPACK_PACKAGE_CONTACT "Zyntra developers <zyntra@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design and play shows on a synchronous LED screen")
set(CPACK_PACKAGE_DESCRIPTION "\
Zyntra places a borderless window exactly over the desktop rectangle that a synchronous LED \
screen mirrors. It is the design surface for shows made of pages of text, pictures, clocks, \
movies, RTF text, Flash and GIF animations and programs, and the play surface while a show \
runs. Task lists choose which show plays by date and time.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(zyntra_runtime_plugins
    qt6-qpa-plugins
    gstreamer1.0-plugins-base
    gstreamer1.0-plugins-good
    gstreamer1.0-plugins-ugly
    gstreamer1.0-libav
    fonts-wqy-microhei
    # The faces the font configuration gives the Windows font names (with real bold weights).
    fonts-noto-cjk
    # Qt's own dialogs and buttons in Chinese.
    qt6-translations-l10n)
list(JOIN zyntra_runtime_plugins ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")

set(CPACK_GENERATOR DEB)
include(CPack)
