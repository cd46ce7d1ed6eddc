# Read by cpack when it packages: dpkg-shlibdeps looks for the libraries,
# and reads the programs with the binutils, of the architecture it is told.
set(ENV{DEB_HOST_ARCH} ${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})
