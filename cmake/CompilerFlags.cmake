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
