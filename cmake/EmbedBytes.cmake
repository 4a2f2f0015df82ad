# Writes a C++ source defining quorvel::EmbeddedFontTableBytes() over the bytes of INPUT.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.\n"
    "#include \"render/FontTableBytes.h\"\n\n"
    "namespace quorvel {\nnamespace {\n// One byte past the file keeps the array valid while the file is still empty.\nconstexpr std::uint8_t kBytes[] = {\n${bytes}0x00};\n}  // namespace\n\n"
    "std::span<const std::uint8_t> EmbeddedFontTableBytes() { return {kBytes, sizeof(kBytes) - 1}; }\n\n"
    "}  // namespace quorvel\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
