# Installs the build into an empty folder (DESTDIR, prefix /usr), checks the
# layout, the icon sizes, the desktop entry and the work-file type, then runs
# the checker from the installed bin/ folder: the installed program finds its
# pictures, help pages and industrial applications, makes its user's start
# folder and asks its first-start questions there before any link.
#   cmake -DCONSTRUCTION=<build folder> -DVERIFICATEUR=<checker> -DESSAI=<work folder>
#         -P Installation.cmake
cmake_minimum_required(VERSION 3.25)
set(racine ${ESSAI}/racine)
set(usr ${racine}/usr)
file(REMOVE_RECURSE ${ESSAI})
file(MAKE_DIRECTORY ${racine} ${ESSAI}/donnees ${ESSAI}/ailleurs)

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${racine} ${CMAKE_COMMAND} --install ${CONSTRUCTION}
          --prefix /usr
  RESULT_VARIABLE statut OUTPUT_QUIET)
if(NOT statut EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${statut}")
endif()

set(fautes "")
set(attendus
  bin/orvane bin/orvanectl
  share/orvane/CFGAPPFR.cfg share/orvane/CFGAPPUK.cfg share/orvane/CFGAPPSP.cfg
  share/orvane/images/banc.jpg share/orvane/images/fond_trace.jpg
  share/orvane/images/apropos.jpg share/orvane/images/choix_machine.jpg
  share/orvane/images/choix_statique.jpg share/orvane/images/choix_dynamique.jpg
  share/orvane/help/fr/index.html share/orvane/help/en/index.html share/orvane/help/es/index.html
  share/orvane/applications/pont.svg share/orvane/applications/photo_atelier.jpg
  share/applications/orvane.desktop share/mime/packages/orvane.xml
  share/icons/hicolor/scalable/apps/orvane.svg)
set(tailles 16 22 24 32 48 64 128 256)
foreach(taille ${tailles})
  list(APPEND attendus share/icons/hicolor/${taille}x${taille}/apps/orvane.png)
endforeach()
foreach(f ${attendus})
  if(NOT EXISTS ${usr}/${f})
    string(APPEND fautes "  missing: /usr/${f}\n")
  endif()
endforeach()
# Nothing the program reads is left in bin/.
file(GLOB restes RELATIVE ${usr}/bin ${usr}/bin/*)
list(REMOVE_ITEM restes orvane orvanectl)
if(restes)
  string(APPEND fautes "  unexpected in /usr/bin: ${restes}\n")
endif()

# Each icon is a PNG of its size (width and height of the header).
foreach(taille ${tailles})
  set(png ${usr}/share/icons/hicolor/${taille}x${taille}/apps/orvane.png)
  if(EXISTS ${png})
    file(READ ${png} entete LIMIT 24 HEX)
    math(EXPR cote "${taille}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${cote}" 2 -1 cote)
    string(LENGTH "${cote}" n)
    while(n LESS 8)
      string(PREPEND cote 0)
      math(EXPR n "${n} + 1")
    endwhile()
    if(NOT entete MATCHES "^89504e470d0a1a0a" OR NOT entete MATCHES "${cote}${cote}$")
      string(APPEND fautes "  icon ${taille}x${taille} is not a PNG of that size\n")
    endif()
  endif()
endforeach()

# The desktop entry opens the file it is given, shows the icon, and names the
# type that the type definition declares for *.OVX2 in any case.
file(READ ${usr}/share/applications/orvane.desktop bureau)
file(READ ${usr}/share/mime/packages/orvane.xml type)
string(REGEX MATCH "mime-type type=\"([^\"]+)\"" _ "${type}")
set(nom_type ${CMAKE_MATCH_1})
foreach(ligne "Exec=orvane %f" "Icon=orvane" "MimeType=${nom_type};" "Type=Application")
  string(FIND "${bureau}" "\n${ligne}\n" trouve)
  if(trouve LESS 0)
    string(APPEND fautes "  desktop entry without the line '${ligne}'\n")
  endif()
endforeach()
find_program(VALIDER desktop-file-validate)
if(VALIDER)
  execute_process(COMMAND ${VALIDER} ${usr}/share/applications/orvane.desktop
                  RESULT_VARIABLE statut OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
  if(NOT statut EQUAL 0 OR sortie MATCHES "error")
    string(APPEND fautes "  desktop-file-validate: ${sortie}\n")
  endif()
endif()
find_program(MIME update-mime-database)
if(MIME)
  file(COPY ${usr}/share/mime/packages DESTINATION ${ESSAI}/mime)
  execute_process(COMMAND ${MIME} ${ESSAI}/mime RESULT_VARIABLE statut ERROR_VARIABLE sortie)
  if(statut EQUAL 0 AND EXISTS ${ESSAI}/mime/globs2)
    file(READ ${ESSAI}/mime/globs2 globs)
    if(NOT globs MATCHES ":${nom_type}:\\*\\.ovx2\n")
      string(APPEND fautes "  *.ovx2 is not given the type ${nom_type}: ${globs}\n")
    endif()
    if(globs MATCHES ":${nom_type}:[^\n]*:cs")
      string(APPEND fautes "  the pattern of ${nom_type} is case-sensitive\n")
    endif()
  else()
    string(APPEND fautes "  update-mime-database refused the type: ${sortie}\n")
  endif()
endif()

# The checker, run as the installed program would be.
file(COPY ${VERIFICATEUR} DESTINATION ${usr}/bin)
get_filename_component(verificateur ${VERIFICATEUR} NAME)
# Started where no network but loopback exists (a network namespace of its
# own, when the system lets us make one): whatever the first start did before
# its OK could reach no address.
set(isole "")
foreach(essai "unshare;-n" "unshare;-rn")
  execute_process(COMMAND ${essai} true RESULT_VARIABLE r OUTPUT_QUIET ERROR_QUIET)
  if(r EQUAL 0)
    set(isole ${essai})
    break()
  endif()
endforeach()
if(isole)
  string(REPLACE ";" " " commande "${isole}")
  message("installed program checked without network (${commande})")
else()
  message("installed program checked with the system's network: no namespace could be made")
endif()
execute_process(
  COMMAND ${isole} ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${ESSAI}/donnees QT_QPA_PLATFORM=offscreen
          ${usr}/bin/${verificateur}
  WORKING_DIRECTORY ${ESSAI}/ailleurs
  RESULT_VARIABLE statut OUTPUT_VARIABLE sortie ERROR_VARIABLE erreurs)
message("${sortie}")
if(NOT statut EQUAL 0)
  string(APPEND fautes "  the installed program does not find its files:\n${erreurs}")
endif()

if(fautes)
  message(FATAL_ERROR "Installation:\n${fautes}")
endif()
file(REMOVE_RECURSE ${ESSAI})
