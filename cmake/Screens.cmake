# The screens, one library per layer (cmake/Layers.cmake), each linked only to
# the ones below it:
#   fretboard    the fretboard panel and its sounds (its model is
#                fretboard_model, its fret geometry fretboard_geometry)
#   finder_core  the chord finder and the page's name scan, on QtCore alone
#   finder       the main screen
#   favourites   the favourites screens over the finder's lists
#   app          the launch handler, the about screen and the storyboard
# Each library's sources are the files its layer owns; a source that includes
# a header its layer may not use stops the build (cifrario_check_layers).
# Layouts (resources/layouts/*.ui) are compiled into the libraries that use them.
set(CMAKE_AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/resources/layouts)

# cifrario_screen_library(<layer> LIBS <libraries below>)
function(cifrario_screen_library layer)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  cifrario_layer_files(${layer} ${CMAKE_SOURCE_DIR} sources)
  add_library(${layer} STATIC ${sources})
  target_include_directories(${layer} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${layer} PUBLIC ${ARG_LIBS})
  set_target_properties(${layer} PROPERTIES AUTOUIC ON)
endfunction()

# The fret geometry, shared by the fretboard view and the build-time drawing of
# its picture (tools/images), which the view then loads.
add_library(fretboard_geometry STATIC ${CMAKE_SOURCE_DIR}/fretboard/FretboardGeometry.cpp)
target_include_directories(fretboard_geometry PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(fretboard_geometry PUBLIC cifrario_options fretboard_model Qt6::Gui)

cifrario_screen_library(fretboard
                        LIBS platform catalogue fretboard_model fretboard_geometry)
add_dependencies(fretboard bundle)
# QtCore alone: a widget header here does not compile, and one reached by its
# module path (<QtWidgets/...>) stops the layer check.
cifrario_screen_library(finder_core LIBS cifrario_options catalogue Qt6::Core)
set_target_properties(finder_core PROPERTIES AUTOUIC OFF)
cifrario_screen_library(finder LIBS finder_core fretboard)
cifrario_screen_library(favourites LIBS finder)
cifrario_screen_library(app LIBS favourites)
