# STARWHIRL_DEBIAN_ARCH: Debian's name for the machine the programs are built
# for (amd64, arm64, ...), from the compiler's multiarch triple, so that a
# cross build asks dpkg-buildflags and dpkg-shlibdeps about its own machine
# and its package is named for it.
find_program(DPKG_ARCHITECTURE_PROGRAM dpkg-architecture REQUIRED)
if(NOT CMAKE_LIBRARY_ARCHITECTURE)
  message(FATAL_ERROR "The compiler ${CMAKE_CXX_COMPILER} names no multiarch triple; "
                      "a Debian build needs one to find its libraries and name its package")
endif()
execute_process(
  COMMAND ${DPKG_ARCHITECTURE_PROGRAM} -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
  OUTPUT_VARIABLE STARWHIRL_DEBIAN_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
