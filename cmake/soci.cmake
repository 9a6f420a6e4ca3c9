# SOCI with its SQLite and PostgreSQL backends as the target zm48d_soci. Debian
# ships no CMake configuration for it, so the libraries are found one by one.
find_package(PostgreSQL REQUIRED)
find_package(SQLite3 REQUIRED)
find_path(SOCI_INCLUDE_DIR soci/soci.h REQUIRED)
add_library(zm48d_soci INTERFACE)
foreach(part core sqlite3 postgresql)
  find_library(SOCI_${part}_LIBRARY soci_${part} REQUIRED)
  target_link_libraries(zm48d_soci INTERFACE ${SOCI_${part}_LIBRARY})
endforeach()
target_include_directories(zm48d_soci INTERFACE ${SOCI_INCLUDE_DIR})
target_link_libraries(zm48d_soci INTERFACE PostgreSQL::PostgreSQL SQLite::SQLite3)
