# The screens: controllers of app/, finder/, favourites/ and the fretboard view
# of fretboard/ (its model is a library of its own). The executable adds main.
file(GLOB SCREENS_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/app/*.h
  ${CMAKE_SOURCE_DIR}/finder/*.cpp ${CMAKE_SOURCE_DIR}/finder/*.h
  ${CMAKE_SOURCE_DIR}/favourites/*.cpp ${CMAKE_SOURCE_DIR}/favourites/*.h
  ${CMAKE_SOURCE_DIR}/fretboard/*.cpp ${CMAKE_SOURCE_DIR}/fretboard/*.h)
list(FILTER SCREENS_SOURCES EXCLUDE REGEX "/app/main\\.cpp$")
add_library(screens STATIC ${SCREENS_SOURCES})
target_include_directories(screens PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(screens PUBLIC platform catalogue fretboard_model)
add_dependencies(screens bundle)
