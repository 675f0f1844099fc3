# Warning and sanitizer settings shared by every target of the project.
add_library(qrn_options INTERFACE)
target_compile_options(qrn_options INTERFACE -Wall -Wextra -Wpedantic)
# A unity build (CMAKE_UNITY_BUILD or QRN_UNITY_TESTS, which CI uses to parse each header once
# per batch) includes the sources into batch files, where GCC takes a source's unnamed-namespace
# types for a header's; that warning says nothing about the code.
if(CMAKE_UNITY_BUILD OR QRN_UNITY_TESTS)
  target_compile_options(qrn_options INTERFACE -Wno-subobject-linkage)
endif()
if(QRN_WERROR)
  target_compile_options(qrn_options INTERFACE -Werror)
endif()
if(QRN_SANITIZE AND QRN_SANITIZE_THREAD)
  message(FATAL_ERROR "QRN_SANITIZE and QRN_SANITIZE_THREAD exclude each other: use two build dirs")
endif()
if(QRN_SANITIZE)
  target_compile_options(qrn_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                               -fno-sanitize-recover=undefined)
  target_link_options(qrn_options INTERFACE -fsanitize=address,undefined)
endif()
if(QRN_SANITIZE_THREAD)
  target_compile_options(qrn_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(qrn_options INTERFACE -fsanitize=thread)
endif()

# qrn_layer(NAME SOURCES...) declares one static library per layer folder, with includes rooted at
# src/ so that every include reads "layer/File.h".
function(qrn_layer name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC qrn_options)
endfunction()
