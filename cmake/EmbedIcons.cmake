# Writes a C++ source defining quorvel::EmbeddedIconBytes(id) over the files <DIR>/<id>.bmp.
# Run as: cmake -DDIR=<folder> -DIDS=140,141 -DOUTPUT=<file.cpp> -P EmbedIcons.cmake
string(REPLACE "," ";" ids "${IDS}")
set(arrays "")
set(cases "")
foreach(id IN LISTS ids)
    file(READ "${DIR}/${id}.bmp" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
    string(APPEND arrays "constexpr std::uint8_t kIcon${id}[] = {\n${bytes}};\n")
    string(APPEND cases "        case ${id}:\n            return kIcon${id};\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${DIR}; do not edit.\n"
    "#include \"render/IconBytes.h\"\n\n"
    "namespace quorvel {\nnamespace {\n${arrays}}  // namespace\n\n"
    "std::span<const std::uint8_t> EmbeddedIconBytes(int id) {\n    switch (id) {\n${cases}    }\n    return {};\n}\n\n"
    "}  // namespace quorvel\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
