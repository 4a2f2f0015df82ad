# Debian's JSON headers lie among the host's own C library headers, which must stay off the
# page's include path: the page sees them through a folder that holds only a link to them.
find_path(QUORVEL_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          NO_DEFAULT_PATH REQUIRED)
set(QUORVEL_JSON_LINKS ${PROJECT_BINARY_DIR}/json-headers)
file(MAKE_DIRECTORY ${QUORVEL_JSON_LINKS})
file(CREATE_LINK ${QUORVEL_JSON_INCLUDE}/nlohmann ${QUORVEL_JSON_LINKS}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${QUORVEL_JSON_LINKS})
