# The screens, one library per folder, each linked only to the ones below it:
#   fretboard  the fretboard panel and its sounds (its model is fretboard_model)
#   finder     the chord finder and the main screen
#   favourites the favourites screens over the finder's lists
#   app        the launch handler, the about screen and the storyboard
# A source that includes a header of a folder above its own stops the build.
# Layouts (resources/layouts/*.ui) are compiled into the libraries that use them.
set(CMAKE_AUTOUIC_SEARCH_PATHS ${CMAKE_SOURCE_DIR}/resources/layouts)

# cifrario_screen_library(<folder> FORBIDS <folders above> LIBS <libraries below>)
function(cifrario_screen_library folder)
  cmake_parse_arguments(ARG "" "" "FORBIDS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  list(FILTER sources EXCLUDE REGEX "/app/main\\.cpp$|/fretboard/FretboardGeometry\\.")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layers/${folder}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} "-DFORBIDS=${ARG_FORBIDS}"
            "-DSOURCES=${sources}" -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    DEPENDS ${sources} ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking that ${folder}/ includes no folder above it" VERBATIM)
  add_library(${folder} STATIC ${sources} ${stamp})
  target_include_directories(${folder} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${folder} PUBLIC ${ARG_LIBS})
  set_target_properties(${folder} PROPERTIES AUTOUIC ON)
endfunction()

# The fret geometry, shared by the fretboard view and the build-time drawing of
# its picture (tools/images), which the view then loads.
add_library(fretboard_geometry STATIC ${CMAKE_SOURCE_DIR}/fretboard/FretboardGeometry.cpp)
target_include_directories(fretboard_geometry PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(fretboard_geometry PUBLIC cifrario_options fretboard_model Qt6::Gui)

cifrario_screen_library(fretboard FORBIDS finder favourites app
                        LIBS platform catalogue fretboard_model fretboard_geometry)
add_dependencies(fretboard bundle)
cifrario_screen_library(finder FORBIDS favourites app LIBS fretboard)
cifrario_screen_library(favourites FORBIDS app LIBS finder)
cifrario_screen_library(app LIBS favourites)
