# Runs the layer check over a small tree with one file holding the given
# includes, and fails when its verdict is not the expected one.
#   cmake -DSOURCE=<source root> -DQTCORE_DIR=<QtCore headers> -DWORK=<scratch>
#         -P PlantedIncludes.cmake
cmake_minimum_required(VERSION 3.25)

# Headers the planted includes name, one per layer and one of no layer.
set(headers catalogue/Acorde.h fretboard/model/Position.h platform/Log.h
            fretboard/FretboardGeometry.h fretboard/FretboardPanel.h
            finder/ChordFinder.h finder/ChordNameScan.h finder/ImportPane.h
            favourites/SavedLists.h app/AppDelegate.h tests/support/Helper.h)

set(failures 0)
function(expect verdict layer file text)
  file(REMOVE_RECURSE ${WORK})
  foreach(header ${headers})
    file(WRITE ${WORK}/${header} "")
  endforeach()
  file(WRITE ${WORK}/${file} "${text}\n")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -DLAYER=${layer} -DQTCORE_DIR=${QTCORE_DIR}
            -DSTAMP=${WORK}/checked -P ${SOURCE}/cmake/CheckLayers.cmake
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(verdict STREQUAL "refused" AND result EQUAL 0)
    message(SEND_ERROR "${layer}: ${file} holding\n${text}\nwas let through")
  elseif(verdict STREQUAL "allowed" AND NOT result EQUAL 0)
    message(SEND_ERROR "${layer}: ${file} holding\n${text}\nwas refused:\n${output}")
  elseif(verdict STREQUAL "refused" AND NOT output MATCHES "${file}")
    message(SEND_ERROR "${layer}: the refusal does not name ${file}:\n${output}")
  endif()
endfunction()

# A header of a layer above, however the include spells its path.
expect(refused fretboard fretboard/FretboardPanel.cpp "#include \"../finder/ChordFinder.h\"")
expect(refused fretboard fretboard/FretboardView.cpp "#include <finder/ChordFinder.h>")
expect(refused fretboard fretboard/FretboardView.cpp "  #  include \"fretboard/../finder/ChordFinder.h\"")
expect(refused fretboard_geometry fretboard/FretboardGeometry.cpp "#include \"FretboardPanel.h\"")
expect(refused fretboard_model fretboard/model/Position.cpp "#include \"../../platform/Log.h\"")
expect(refused catalogue catalogue/Acorde.cpp "#include \"platform/Log.h\"")
expect(refused platform platform/audio/Mixer.cpp "#include \"../../catalogue/Acorde.h\"")
expect(refused favourites favourites/GridScreen.cpp "#include \"../app/AppDelegate.h\"")
expect(refused tools tools/images/Drawing.cpp "#include \"../../finder/ChordFinder.h\"")
expect(refused app app/AppDelegate.cpp "#include \"tests/support/Helper.h\"")
# The chord finder: QtCore alone, and no screen file of its own folder.
expect(refused finder_core finder/ChordFinder.cpp "#include \"ImportPane.h\"")
expect(refused finder_core finder/ChordNameScan.cpp "#include <QtWidgets/QWidget>")
expect(refused finder_core finder/ChordFinder.cpp "#include <QWidget>")
expect(refused finder_core finder/ChordFinder.cpp "#include <QtGui/QImage>")
# The domain: no Qt at all.
expect(refused catalogue catalogue/Acorde.cpp "#include <QString>")
expect(refused fretboard_model fretboard/model/Position.cpp "#include <QtCore/QString>")

# What each layer may include.
expect(allowed catalogue catalogue/Acorde.cpp "#include \"Acorde.h\"\n#include <vector>")
expect(allowed fretboard_model fretboard/model/Position.cpp
       "#include \"catalogue/Acorde.h\"\n#include \"Position.h\"")
expect(allowed finder_core finder/ChordFinder.cpp
       "#include \"ChordNameScan.h\"\n#include \"catalogue/Acorde.h\"\n#include <QString>\n#include <QtCore/QObject>")
expect(allowed fretboard fretboard/FretboardPanel.cpp
       "#include \"model/Position.h\"\n#include \"platform/Log.h\"\n#include \"FretboardGeometry.h\"\n#include <QWidget>")
expect(allowed finder finder/ImportPane.cpp
       "#include \"ChordFinder.h\"\n#include \"../fretboard/FretboardPanel.h\"\n#include \"ui_FirstViewController.h\"")
expect(allowed app app/main.cpp "#include \"app/AppDelegate.h\"\n#include \"favourites/SavedLists.h\"")

file(REMOVE_RECURSE ${WORK})
