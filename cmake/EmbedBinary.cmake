# Writes OUTPUT, a C++ source defining SYMBOL (the bytes of INPUT) and SYMBOL_size.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <cstddef>\n"
  "extern \"C\" __attribute__((visibility(\"default\"))) const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "extern \"C\" __attribute__((visibility(\"default\"))) const std::size_t ${SYMBOL}_size = ${byteCount};\n")
