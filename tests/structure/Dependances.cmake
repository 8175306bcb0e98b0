# The direction of use between the folders: a folder never includes the
# headers of a folder above it, and the core folders never include Qt.
# Run with -DRACINE=<source folder>; fails listing every wrong include.
set(regles
  # files (pattern) @ forbidden include (regular expression)
  "graph/*@#include [<\"](dialogs|tracing|load|app)/"
  "dialogs/*@#include [<\"](tracing|load|app)/"
  "load/*@#include [<\"](tracing|app)/"
  "tracing/*@#include [<\"](app)/"
  "study/*@#include [<\"](graph|dialogs|tracing|load|app|comm|sim|tools)/"
  "study/*@#include <Q"
  "graph/Echelle.*@#include <Q"
  "tracing/Classeur.*@#include <Q")

set(fautes "")
foreach(regle IN LISTS regles)
  string(REPLACE "@" ";" parties "${regle}")
  list(GET parties 0 motif)
  list(GET parties 1 interdit)
  file(GLOB sources "${RACINE}/${motif}")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(h|cpp)$")
      continue()
    endif()
    file(STRINGS "${source}" lignes REGEX "${interdit}")
    foreach(ligne IN LISTS lignes)
      file(RELATIVE_PATH nom "${RACINE}" "${source}")
      string(APPEND fautes "  ${nom}: ${ligne}\n")
    endforeach()
  endforeach()
endforeach()

# The libraries follow the same direction.
file(READ "${RACINE}/graph/CMakeLists.txt" liens)
if(liens MATCHES "orvane_dialogs")
  string(APPEND fautes "  graph/CMakeLists.txt links orvane_dialogs\n")
endif()

if(fautes)
  message(FATAL_ERROR "Includes against the direction of use:\n${fautes}")
endif()
