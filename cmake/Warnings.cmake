# Settings every target of ours takes: strict warnings in both builds, sanitizers natively.
add_library(quorvane_options INTERFACE)
target_compile_options(quorvane_options INTERFACE -Wall -Wextra -Werror)
target_include_directories(quorvane_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(WIN32)
  # One static exe per program: no MinGW runtime DLLs beside it.
  target_link_options(quorvane_options INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(quorvane_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0601)
elseif(QUORVANE_TSAN)
  target_compile_options(quorvane_options INTERFACE -fsanitize=thread -g -O1)
  target_link_options(quorvane_options INTERFACE -fsanitize=thread)
elseif(QUORVANE_SANITIZE)
  target_compile_options(quorvane_options INTERFACE -fsanitize=address,undefined,float-cast-overflow
                         -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  target_link_options(quorvane_options INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()

# Tests and the mutation run index the standard containers with bounds checks: AddressSanitizer
# puts no guard after a constant table defined in a header, so a read one past it goes unseen.
if(NOT WIN32 AND NOT QUORVANE_BENCH)
  target_compile_definitions(quorvane_options INTERFACE _GLIBCXX_ASSERTIONS)
endif()
