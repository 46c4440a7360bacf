# Warnings used on every target of the project. -Wsign-conversion is left out:
# counts in the file format are signed ints that index std containers, and the
# casts it would demand everywhere hide more than they show. The readers check
# signs explicitly instead.
function(tvx_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wdouble-promotion -Wimplicit-fallthrough)
  if(TVX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
