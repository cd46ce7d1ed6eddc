# Debian's hardening, the flags dpkg-buildflags gives every package it builds:
# stack protector, fortified libc calls, read-only relocations bound at load.
# The optimisation and debug flags it also gives are left to the build type.
# Control-flow (on x86, and its ARM counterpart, branch protection) and
# stack-clash protection are added where the compiler has them, since Debian
# 12's dpkg does not ask for them yet.
include(CheckCXXCompilerFlag)
include(${CMAKE_CURRENT_LIST_DIR}/debian_architecture.cmake)

find_program(DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND env DEB_HOST_ARCH=${STARWHIRL_DEBIAN_ARCH} DEB_BUILD_MAINT_OPTIONS=hardening=+all "DEB_CXXFLAGS_MAINT_STRIP=-g -O2"
            ${DPKG_BUILDFLAGS_PROGRAM} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # A path of the build machine in every object is of no use to a reader.
  list(FILTER flags EXCLUDE REGEX "^-ffile-prefix-map=")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()

foreach(flag -fcf-protection -mbranch-protection=standard -fstack-clash-protection)
  string(MAKE_C_IDENTIFIER "HAVE${flag}" have)
  check_cxx_compiler_flag(${flag} ${have})
  if(${have})
    add_compile_options(${flag})
  endif()
endforeach()
