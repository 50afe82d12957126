# Shared settings for the project's own targets: warnings as errors, sanitizers, static runtime.

if(CALVEX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(CALVEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(calvex_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror)
  if(WIN32)
    # The DLL and the EXE carry their runtime: nothing beyond the system's DLLs is needed.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
endfunction()

# Gives a target an include root of its own that holds only the named folders of BASE (linked,
# not copied), so that "framework/core/FCString.h" is found by the targets that link this one
# and by no other: an include in the wrong direction does not build.
function(calvex_include_root target scope base)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  foreach(folder ${ARGN})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${base}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# One layer of the plug-in: a static library of the sources of FOLDER (given relative to the
# folder), whose headers are reached as "FOLDER/Name.h", linking the layers below it.
function(calvex_layer target folder)
  cmake_parse_arguments(LAYER "" "" "SOURCES;BELOW" ${ARGN})
  list(TRANSFORM LAYER_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/src/${folder}/)
  add_library(${target} STATIC ${LAYER_SOURCES})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON
                                             CXX_VISIBILITY_PRESET hidden)
  calvex_target_defaults(${target})
  calvex_include_root(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${folder})
  target_link_libraries(${target} PUBLIC ${LAYER_BELOW})
endfunction()

# One layer of the stand-in host: a static library of the sources of host/FOLDER (given relative
# to it), whose headers are reached as "host/FOLDER/Name.h", linking the layers below it.
function(calvex_host_layer target folder)
  cmake_parse_arguments(LAYER "" "" "SOURCES;BELOW" ${ARGN})
  list(TRANSFORM LAYER_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/host/${folder}/)
  add_library(${target} STATIC ${LAYER_SOURCES})
  calvex_target_defaults(${target})
  calvex_include_root(${target} PUBLIC ${PROJECT_SOURCE_DIR} host/${folder})
  target_link_libraries(${target} PUBLIC ${LAYER_BELOW})
endfunction()

# Turns a binary file into a C++ source that defines two symbols holding its bytes and size.
function(calvex_embed_binary input output symbol)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedBinary.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EmbedBinary.cmake
    VERBATIM)
endfunction()

# nlohmann-json and CLI11 are header-only; Debian installs them for the native compiler only.
# Their headers are copied into the build tree so the cross build can use them without the host's
# system headers.
function(calvex_header_library target header folder)
  find_path(${target}_DIR ${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  file(COPY ${${target}_DIR}/${folder} DESTINATION ${CMAKE_BINARY_DIR}/third_party)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/third_party)
endfunction()
calvex_header_library(calvex_json nlohmann/json.hpp nlohmann)
calvex_header_library(calvex_cli11 CLI/CLI.hpp CLI)
