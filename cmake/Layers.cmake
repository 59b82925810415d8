# The layers of the program, and which of them each may build on. Read both
# when configuring (to attach a check to every layer's targets) and by
# CheckLayers.cmake in script mode (to run the check), so the rule is written
# once.
#
# cifrario_layer(<name> OWNS <paths> [USES <layers>] QT none|core|any)
#   OWNS  folders or single files, relative to the source root. A file belongs
#         to the layer owning the longest path that holds it, so
#         fretboard/model belongs to fretboard_model, not to fretboard.
#   USES  the layers below it whose headers its files may include; a file may
#         always include its own layer's headers.
#   QT    none: no Qt header at all; core: QtCore's alone; any: every module.
macro(cifrario_layer name)
  cmake_parse_arguments(_layer "" "QT" "OWNS;USES" ${ARGN})
  list(APPEND CIFRARIO_LAYERS ${name})
  set(CIFRARIO_LAYER_${name}_OWNS ${_layer_OWNS})
  set(CIFRARIO_LAYER_${name}_USES ${_layer_USES})
  set(CIFRARIO_LAYER_${name}_QT ${_layer_QT})
endmacro()

set(CIFRARIO_LAYERS "")
# The domain: plain C++.
cifrario_layer(catalogue OWNS catalogue QT none)
cifrario_layer(fretboard_model OWNS fretboard/model USES catalogue QT none)
# The one layer on Qt and the system libraries; it knows nothing of chords.
# Its rooms are part of it: platform/audio (the audio engine, players and
# session on PortAudio and mpg123), platform/page (the page import: the fetch
# on libcurl, the address gate, decoding, the page view's markup and the
# bounds on its layout), platform/lists (property lists read and written) and
# platform/xml (the bound on a tag's attributes and the XML syntax it checks,
# which the page markup and the XML lists both use); the windows, controls,
# bundle, log and files stand in platform itself, with the UTF-8 reader that
# the log and those rooms share.
cifrario_layer(platform OWNS platform QT any)
# The fret geometry, shared by the fretboard view and the build-time drawing.
cifrario_layer(fretboard_geometry
  OWNS fretboard/FretboardGeometry.h fretboard/FretboardGeometry.cpp
  USES catalogue fretboard_model QT any)
# The chord finder and the page's name scan: the main screen's state and
# operations, on QtCore alone, so that no widget can creep in.
cifrario_layer(finder_core
  OWNS finder/ChordFinder.h finder/ChordFinder.cpp
       finder/ChordNameScan.h finder/ChordNameScan.cpp
       finder/FavouriteList.h finder/FavouriteList.cpp
  USES catalogue QT core)
# The screens, each on the ones before it.
cifrario_layer(fretboard OWNS fretboard
  USES catalogue fretboard_model platform fretboard_geometry QT any)
cifrario_layer(finder OWNS finder
  USES catalogue fretboard_model platform fretboard_geometry fretboard finder_core QT any)
cifrario_layer(favourites OWNS favourites
  USES catalogue fretboard_model platform fretboard_geometry fretboard finder_core finder
  QT any)
cifrario_layer(app OWNS app
  USES catalogue fretboard_model platform fretboard_geometry fretboard finder_core finder
       favourites
  QT any)
# The process entry, which holds little more than main.
cifrario_layer(cifrario OWNS app/main.cpp
  USES catalogue fretboard_model platform fretboard_geometry fretboard finder_core finder
       favourites app
  QT any)
# The build-time generators: the catalogue, the fretboard picture (whose size
# and file names the fretboard keeps in a header), photos and samples. They
# sit beside the program, not in it: no screen above the fretboard.
cifrario_layer(tools OWNS tools
  USES catalogue fretboard_model platform fretboard_geometry fretboard QT any)

# Sets <out> to the layer that owns <path> (relative to the source root), or
# to the empty text when no layer does.
function(cifrario_layer_of path out)
  set(best "")
  set(best_length -1)
  foreach(layer ${CIFRARIO_LAYERS})
    foreach(owned ${CIFRARIO_LAYER_${layer}_OWNS})
      string(LENGTH "${owned}" length)
      if(length GREATER best_length)
        string(FIND "${path}/" "${owned}/" at)
        if(at EQUAL 0)
          set(best ${layer})
          set(best_length ${length})
        endif()
      endif()
    endforeach()
  endforeach()
  set(${out} ${best} PARENT_SCOPE)
endfunction()

# Sets <out> to the absolute paths of every .cpp and .h file that <layer>
# owns, under the source root <root>.
function(cifrario_layer_files layer root out)
  # When configuring, a file added or removed configures again.
  set(again "")
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(again CONFIGURE_DEPENDS)
  endif()
  set(files "")
  foreach(owned ${CIFRARIO_LAYER_${layer}_OWNS})
    if(IS_DIRECTORY ${root}/${owned})
      file(GLOB_RECURSE found ${again} LIST_DIRECTORIES false RELATIVE ${root}
        ${root}/${owned}/*.cpp ${root}/${owned}/*.h)
    elseif(EXISTS ${root}/${owned})
      set(found ${owned})
    else()
      set(found "")
    endif()
    foreach(file ${found})
      cifrario_layer_of(${file} owner)
      if(owner STREQUAL layer)
        list(APPEND files ${root}/${file})
      endif()
    endforeach()
  endforeach()
  list(SORT files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Sets <out> to the folder of QtCore's headers, which a layer on QtCore alone
# may include.
function(cifrario_qtcore_headers out)
  get_target_property(qt_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
  set(found "")
  foreach(dir ${qt_dirs})
    if(dir MATCHES "/QtCore$")
      set(found ${dir})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# At configure time: before any target of a layer builds, every file of the
# layer is checked (CheckLayers.cmake) and the build stops at a forbidden
# include. A layer's targets are the target of its name, and for tools every
# target of its folders. Call once every target exists.
function(cifrario_check_layers)
  cifrario_qtcore_headers(qtcore_dir)
  foreach(layer ${CIFRARIO_LAYERS})
    cifrario_layer_files(${layer} ${CMAKE_SOURCE_DIR} files)
    set(stamp ${CMAKE_BINARY_DIR}/layers/${layer}.checked)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DLAYER=${layer}
              -DQTCORE_DIR=${qtcore_dir} -DSTAMP=${stamp}
              -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
      DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
              ${CMAKE_SOURCE_DIR}/cmake/Layers.cmake
      COMMENT "Checking the includes of layer ${layer}" VERBATIM)
    add_custom_target(layer_check_${layer} DEPENDS ${stamp})
    set(targets "")
    if(TARGET ${layer})
      list(APPEND targets ${layer})
    endif()
    foreach(owned ${CIFRARIO_LAYER_${layer}_OWNS})
      if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${owned} AND NOT TARGET ${layer})
        get_property(dirs DIRECTORY ${CMAKE_SOURCE_DIR}/${owned} PROPERTY SUBDIRECTORIES)
        foreach(dir ${CMAKE_SOURCE_DIR}/${owned} ${dirs})
          get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
          list(APPEND targets ${found})
        endforeach()
      endif()
    endforeach()
    if(NOT targets)
      message(FATAL_ERROR "Layer ${layer} has no target to check before")
    endif()
    foreach(target ${targets})
      add_dependencies(${target} layer_check_${layer})
    endforeach()
  endforeach()
endfunction()
