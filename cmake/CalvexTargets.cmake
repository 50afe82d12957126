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
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  if(WIN32)
    # The DLL and the EXE carry their runtime: nothing beyond the system's DLLs is needed.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
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
