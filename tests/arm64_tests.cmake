# The arm64 build's whole-program tests, run under qemu's user-mode emulation
# (CMAKE_CROSSCOMPILING_EMULATOR, tools/arm64-run) on private virtual X
# servers, against Mesa's own arm64 llvmpipe. The unit and GL tests above
# run through the same emulator. Not run here, each for a reason:
# - the thread tests: ThreadSanitizer's shadow memory does not fit in the
#   address space qemu gives a program;
# - the console, window-change, presentation, font and capture-refusal
#   scripts: they exercise code that is the same on every Linux machine and
#   nothing of the architecture, and under emulation each would take minutes.
# STARWHIRL_LINUX_BUILD is the native build whose pictures are compared.
set(STARWHIRL_LINUX_BUILD "" CACHE PATH "The native Linux build to compare the arm64 build with")
find_program(XVFB_RUN_PROGRAM xvfb-run REQUIRED)
set(xvfb ${XVFB_RUN_PROGRAM} -a -s "-screen 0 1280x1024x24 -noreset")
add_test(NAME arm64.show
  COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e_arm64.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
          $<TARGET_FILE:starwhirl> $<TARGET_FILE:starwhirl-capture> ${STARWHIRL_LINUX_BUILD}/starwhirl-capture)
add_test(NAME arm64.package
  COMMAND ${xvfb} bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e_package.sh ${PROJECT_BINARY_DIR} arm64 ${CMAKE_CROSSCOMPILING_EMULATOR})
set_tests_properties(arm64.show arm64.package PROPERTIES TIMEOUT 1800)
