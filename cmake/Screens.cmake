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
# Each library names the layouts (resources/layouts/<name>.ui) its screens
# include; uic compiles each into ui_<name>.h in the build folder, which the
# library and whatever builds on it can include. The headers are outputs that
# Ninja knows of, so an edited layout reaches the program in one build (CMake's
# automatic uic rewrites them behind Ninja's back, and so took two).

# A build folder made while CMake's automatic uic compiled the layouts still
# holds its headers in the targets' <target>_autogen/include, which comes first
# on the include path: remove them, or they would hide the headers made here.
file(GLOB stale_forms ${CMAKE_BINARY_DIR}/*_autogen/include/ui_*.h
     ${CMAKE_BINARY_DIR}/bench/*/*_autogen/include/ui_*.h)
if(stale_forms)
  file(REMOVE ${stale_forms})
endif()

# cifrario_screen_library(<layer> LIBS <libraries below> [FORMS <layout names>])
function(cifrario_screen_library layer)
  cmake_parse_arguments(ARG "" "" "LIBS;FORMS" ${ARGN})
  cifrario_layer_files(${layer} ${CMAKE_SOURCE_DIR} sources)
  set(forms "")
  foreach(form ${ARG_FORMS})
    list(APPEND forms ${CMAKE_SOURCE_DIR}/resources/layouts/${form}.ui)
  endforeach()
  qt6_wrap_ui(form_headers ${forms})
  add_library(${layer} STATIC ${sources} ${form_headers})
  target_include_directories(${layer} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(${layer} PUBLIC ${ARG_LIBS})
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
cifrario_screen_library(finder LIBS finder_core fretboard FORMS FirstViewController)
cifrario_screen_library(favourites LIBS finder
                        FORMS FavViewController CollectionViewController)
cifrario_screen_library(app LIBS favourites FORMS SecondViewController)
