# The build machine's nlohmann_json (header-only) for a cross build. Its headers are copied into
# the build folder so the cross compiler sees them without the build machine's other headers.
find_path(QM_NLOHMANN_JSON_HEADERS nlohmann/json.hpp
  PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QM_NLOHMANN_JSON_HEADERS)
  set(nlohmann_json_FOUND FALSE)
  set(nlohmann_json_NOT_FOUND_MESSAGE "nlohmann/json.hpp not found (install nlohmann-json3-dev)")
  return()
endif()
set(QM_NLOHMANN_JSON_STAGE ${CMAKE_BINARY_DIR}/cross-include)
file(COPY ${QM_NLOHMANN_JSON_HEADERS}/nlohmann DESTINATION ${QM_NLOHMANN_JSON_STAGE})
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${QM_NLOHMANN_JSON_STAGE})
endif()
