# The header-only libraries of the command-line front: CLI11 and nlohmann JSON,
# as orvex::cli11 and orvex::json. Natively through their CMake packages; for the
# cross build through a folder that holds only these two header trees, so that
# no other header of the build machine reaches the MinGW compiler.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
    set(headers ${CMAKE_BINARY_DIR}/_header_only)
    file(MAKE_DIRECTORY ${headers})
    foreach(tree CLI nlohmann)
        if(NOT EXISTS /usr/include/${tree})
            message(FATAL_ERROR "/usr/include/${tree} is missing: run scripts/install-deps.sh")
        endif()
        file(CREATE_LINK /usr/include/${tree} ${headers}/${tree} SYMBOLIC)
    endforeach()
    add_library(orvex_cli11 INTERFACE)
    target_include_directories(orvex_cli11 SYSTEM INTERFACE ${headers})
    add_library(orvex_json INTERFACE)
    target_include_directories(orvex_json SYSTEM INTERFACE ${headers})
else()
    find_package(CLI11 CONFIG REQUIRED)
    find_package(nlohmann_json 3 CONFIG REQUIRED)
    add_library(orvex_cli11 INTERFACE)
    target_link_libraries(orvex_cli11 INTERFACE CLI11::CLI11)
    add_library(orvex_json INTERFACE)
    target_link_libraries(orvex_json INTERFACE nlohmann_json::nlohmann_json)
endif()
add_library(orvex::cli11 ALIAS orvex_cli11)
add_library(orvex::json ALIAS orvex_json)
