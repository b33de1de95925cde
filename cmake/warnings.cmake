# Common compile options for every target of the project.
add_library(veldra_options INTERFACE)
target_compile_options(veldra_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion>
  # GCC 12 reports std::string concatenation at -O3 as overlapping memcpy (a known false
  # positive of its -Wrestrict), which -Werror would turn into a failed build.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
  # Results must be identical whatever the optimiser does with a*b+c.
  $<$<CXX_COMPILER_ID:GNU,Clang>:-ffp-contract=off>)
if(VELDRA_WERROR)
  target_compile_options(veldra_options INTERFACE -Werror)
endif()
if(VELDRA_SANITIZE)
  target_compile_options(veldra_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(veldra_options INTERFACE -fsanitize=address,undefined)
endif()
find_package(Threads REQUIRED)
target_link_libraries(veldra_options INTERFACE Threads::Threads)
