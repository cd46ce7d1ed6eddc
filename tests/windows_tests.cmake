# The Windows build's tests, run under Wine (tools/wine-run is the
# emulator). Frames are read back through offscreen frames, whose source
# lives with the capture program, which is Linux-only; the framebuffer
# functions they call come from the driver (windows/gl_framebuffer.cpp),
# which only the tests need: the show itself keeps to OpenGL 1.1.
foreach(target starwhirl_gl_tests starwhirl-show-report)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/capture/offscreen_frame.cpp
                                   ${CMAKE_CURRENT_SOURCE_DIR}/windows/gl_framebuffer.cpp)
endforeach()

# Not run here, each for a reason:
# - platform_font_test, font_lookup_test: fontconfig and FreeType, which the
#   Windows build does not have; GDI never fails a face lookup by name, it
#   substitutes the closest face.
# - capture_test, capture_options_test, statistics_test: the capture program
#   and the benchmark are Linux programs.
# - the window-change tests: Wine does not pass an X unmap through to the
#   program as a Windows hide.
# - the presentation probe: it watches glXSwapBuffers, which a Windows
#   program reaches only inside Wine.
# The whole show, Escape, the console and the comparison with the Linux
# build: STARWHIRL_LINUX_BUILD is the native build to compare with.
set(STARWHIRL_LINUX_BUILD "" CACHE PATH "The native Linux build to compare the Windows build with")
add_test(NAME windows.show
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e_windows.sh $<TARGET_FILE:starwhirl>
          $<TARGET_FILE:starwhirl-show-report> ${STARWHIRL_LINUX_BUILD}/tests/starwhirl-show-report
          ${STARWHIRL_WINEPREFIX})
set_tests_properties(windows.show PROPERTIES TIMEOUT 1500)

# The zip's notices against what the linker put into the program.
add_test(NAME windows.notices
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/notices.sh ${CMAKE_BINARY_DIR}/starwhirl-windows.zip:starwhirl/LICENCES.txt
          ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/starwhirl.map)
