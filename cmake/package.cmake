# cpack -G DEB (run in the build folder): a Debian package of the install
# tree under /usr. Library dependencies come from dpkg-shlibdeps; the font,
# Qt's translations and image plugins are loaded at run time, so they are named.
set(CPACK_PACKAGE_NAME tamarie)
set(CPACK_PACKAGE_VENDOR "Tamarie")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo calendar editor (タマリエ)")
set(CPACK_PACKAGE_DESCRIPTION "Tamarie lays monthly calendars with Japanese holidays, the old lunar calendar and rokuyo over photos, and saves them as pictures or prints them.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tamarie)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tamarie developers <tamarie@localhost>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps must find the private library inside the package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n, qt6-image-formats-plugins")
# The faces Windows files name are drawn in their nearest relatives: Mincho
# (IPA Mincho, Noto Serif CJK JP), modern gothic (Noto Sans CJK JP), rounded
# (Motoya L Maruberi) and brush (Kouzan Mouhitsu).  Without them IPA Gothic
# draws everything.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-mincho, fonts-noto-cjk, fonts-motoya-l-maruberi, fonts-kouzan-mouhitsu")
include(CPack)
