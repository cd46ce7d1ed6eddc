# cmake -DINPUT=FILE -DOUTPUT=SOURCE -DSYMBOL=NAME -P embed_file.cmake writes
# a C++ source that defines platform::NAME, FILE's bytes, and NAME##Size,
# their count: a file a program carries inside itself, with no file system.
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
# Lines of 16 bytes keep the file readable to a diff.
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new" "// ${name}, made into data by the build.
#include <cstddef>

namespace platform {

extern const unsigned char ${SYMBOL}[] = {
${bytes}
};
extern const std::size_t ${SYMBOL}Size = ${size};

}  // namespace platform
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
