# The compile options of every target of the tree, set in one place.
#
# ORVANE_WERROR turns warnings into errors (the test command sets it); a
# developer's build keeps going past them.
option(ORVANE_WERROR "Treat compiler warnings as errors" OFF)

function(orvane_compile_options)
  if(MSVC)
    add_compile_options(/W4)
  else()
    add_compile_options(-Wall -Wextra)
  endif()
  if(ORVANE_WERROR)
    set(CMAKE_COMPILE_WARNING_AS_ERROR ON PARENT_SCOPE)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 warns, wrongly, that optimised std::string concatenations
    # overlap (GCC bug 105329); the host programs build their texts that way.
    add_compile_options(-Wno-restrict)
  endif()
  if(ORVANE_SANITIZE)
    # The vptr check would need the typeinfo of classes the module keeps hidden.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize=vptr
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(ORVANE_FUZZ)
    # Coverage for libFuzzer everywhere; only the fuzz targets link its main.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endfunction()
