# The libraries the game is built on, found once for the game's build and for
# the fuzzers' own clang build.
find_package(PkgConfig REQUIRED)
pkg_check_modules(OPENAL REQUIRED IMPORTED_TARGET openal)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
find_path(RAPIDXML_INCLUDE_DIR rapidxml.hpp PATHS /usr/include/rapidxml REQUIRED)
# Map pictures are read through libpng and libjpeg before the engine sees them.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

# Irrlicht ships no pkg-config file on Debian.
find_path(IRRLICHT_INCLUDE_DIR irrlicht.h PATHS /usr/include/irrlicht REQUIRED)
find_library(IRRLICHT_LIBRARY Irrlicht REQUIRED)
add_library(irrlicht INTERFACE)
target_include_directories(irrlicht SYSTEM INTERFACE ${IRRLICHT_INCLUDE_DIR})
target_link_libraries(irrlicht INTERFACE ${IRRLICHT_LIBRARY})
