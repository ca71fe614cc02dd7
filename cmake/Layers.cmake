# The module's folders as layers. Each folder is a target whose sources see,
# through an include root of their own in the build folder, only:
#   - their own folder;
#   - the headers that the folders they use export, and what those headers
#     include in turn.
# So an include the design does not want (tasks -> net, platform -> client,
# a header a folder keeps to itself) fails to build.
#
#   orvane_layer(<folder> [STATIC] SOURCES <.cpp> EXPORTS <.h> USES <folders>)
#
# makes the target orvane_<folder> (an object library, or a static one);
# orvane_layer_roots() lays out the include roots once every layer is known.

function(orvane_layer folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "STATIC" "" "SOURCES;EXPORTS;USES")
  set_property(GLOBAL APPEND PROPERTY ORVANE_LAYERS ${folder})
  set_property(GLOBAL PROPERTY ORVANE_LAYER_${folder}_EXPORTS ${arg_EXPORTS})
  set_property(GLOBAL PROPERTY ORVANE_LAYER_${folder}_USES ${arg_USES})
  list(TRANSFORM arg_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/${folder}/)
  if(arg_STATIC)
    add_library(orvane_${folder} STATIC ${arg_SOURCES})
  else()
    add_library(orvane_${folder} OBJECT ${arg_SOURCES})
  endif()
  orvane_layer_includes(orvane_${folder} ${folder})
endfunction()

# Compiles target's own sources against the include root of folder's layer.
function(orvane_layer_includes target folder)
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/layers/${folder})
  target_compile_definitions(${target} PRIVATE ORVANE_BUILD)
endfunction()

# The headers a layer sees of other folders: the exports of the folders it
# uses, followed through their own includes.
function(orvane_layer_visible folder out)
  get_property(uses GLOBAL PROPERTY ORVANE_LAYER_${folder}_USES)
  set(pending "")
  foreach(used ${uses})
    get_property(exports GLOBAL PROPERTY ORVANE_LAYER_${used}_EXPORTS)
    list(TRANSFORM exports PREPEND ${used}/)
    list(APPEND pending ${exports})
  endforeach()
  set(visible "")
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST visible)
      continue()
    endif()
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
      message(FATAL_ERROR "layer ${folder}: ${header} does not exist")
    endif()
    list(APPEND visible ${header})
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY
      CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${header})
    file(STRINGS ${CMAKE_SOURCE_DIR}/${header} includes REGEX "^#include \"[a-z]+/[A-Za-z0-9_]+\\.h\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      list(APPEND pending ${included})
    endforeach()
  endwhile()
  set(${out} ${visible} PARENT_SCOPE)
endfunction()

function(orvane_layer_roots)
  get_property(layers GLOBAL PROPERTY ORVANE_LAYERS)
  foreach(folder ${layers})
    set(root ${CMAKE_BINARY_DIR}/layers/${folder})
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    orvane_layer_visible(${folder} visible)
    foreach(header ${visible})
      get_filename_component(dir ${header} DIRECTORY)
      if(dir STREQUAL folder)
        continue()
      endif()
      file(MAKE_DIRECTORY ${root}/${dir})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC)
    endforeach()
  endforeach()
endfunction()
