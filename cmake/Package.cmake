# The Debian package: `cpack -G DEB` in a configured and built build folder
# gives tamarock_<version>_<arch>.deb, installing under /usr.

set(TAMAROCK_PACKAGE_MAINTAINER "The Tamarock developers <developers@tamarock.org>" CACHE STRING
    "Maintainer of the Debian package, \"Name <address>\"")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tamarock)
set(CPACK_PACKAGE_VENDOR "The Tamarock developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wordless toy for young children")
# Lines of at most 80 characters, as dpkg shows them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "One window shows one playful action at a time: a dot that jumps when it is\n"
  "tapped, dots that fall and bounce, a dot to fling, connect-the-dots, a dot on\n"
  "a spring, and finger paint. There are no words, no scores and no timers.\n"
  "A grown-up picks the action and switches random colours with Ctrl+L; the\n"
  "choice is kept between launches. The choices and notices are translated into\n"
  "fourteen languages besides English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories the package creates get the usual mode, whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAMAROCK_PACKAGE_MAINTAINER}")
# Not "games": Debian keeps those in /usr/games, which is not on every PATH.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tamarock.org")
# The libraries it links come from dpkg-shlibdeps; besides them it needs the
# font it draws its text with (DejaVu Sans covers all its languages, Arabic and
# Hebrew too), xdg-open for the download page, and the certificates its
# update check verifies the site with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, xdg-utils, ca-certificates")

include(CPack)
