# One interface target carries the language level, warnings and Qt defines
# for every library, the executable, the tests and the benchmarks.
add_library(vorinda_options INTERFACE)
target_compile_features(vorinda_options INTERFACE cxx_std_20)
target_compile_options(vorinda_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_compile_definitions(vorinda_options INTERFACE
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    VORINDA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    VORINDA_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    VORINDA_VERSION_PATCH=${PROJECT_VERSION_PATCH})
target_include_directories(vorinda_options INTERFACE ${PROJECT_SOURCE_DIR})

# vorinda_library(name SOURCES... LINKS...): a static library of one folder.
function(vorinda_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC vorinda_options ${ARG_LINKS})
endfunction()
