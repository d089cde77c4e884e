# Takes the version of the build machine's package.
set(QM_NLOHMANN_JSON_VERSION_FILE /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake)
if(EXISTS ${QM_NLOHMANN_JSON_VERSION_FILE})
  include(${QM_NLOHMANN_JSON_VERSION_FILE})
else()
  set(PACKAGE_VERSION_UNSUITABLE TRUE)
endif()
