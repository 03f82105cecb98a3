# One set of warnings for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Wimplicit-fallthrough -Werror=return-type)
# C sources and C headers do not know C++-only warnings.
add_compile_options($<$<COMPILE_LANGUAGE:C>:-Wno-old-style-cast>)

if(TOLVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The program's own texts are GBK bytes; sources are UTF-8.
function(tolvane_gbk_literals target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=GBK)
endfunction()

if(WIN32)
  # The SDK's FindText/ReplaceText macros would rename the program's own routines, and its
  # min/max macros the standard library's.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # One executable that imports only system DLLs: the MinGW runtime is linked in.
  add_link_options(-static)
endif()
