# The application description files, compiled from the readable list
# applications/applications.txt into the program's folder and the window
# tests' folder (the start folders of a build).
add_executable(orvane_applications ${CMAKE_CURRENT_SOURCE_DIR}/GenererApplications.cpp)
target_link_libraries(orvane_applications PRIVATE orvane_study)

set(liste_applications ${CMAKE_CURRENT_SOURCE_DIR}/applications/applications.txt)
set(descriptions)
foreach(dossier ${CMAKE_BINARY_DIR}/app ${CMAKE_BINARY_DIR}/tests/gui)
  foreach(nom CFGAPPFR.cfg CFGAPPUK.cfg CFGAPPSP.cfg)
    list(APPEND descriptions ${dossier}/${nom})
  endforeach()
endforeach()
add_custom_command(
  OUTPUT ${descriptions}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/app ${CMAKE_BINARY_DIR}/tests/gui
  COMMAND orvane_applications ${liste_applications} ${CMAKE_BINARY_DIR}/app
          ${CMAKE_BINARY_DIR}/tests/gui
  DEPENDS orvane_applications ${liste_applications}
  COMMENT "Compiling the application description files"
  VERBATIM)
add_custom_target(orvane_descriptions ALL DEPENDS ${descriptions})
set(ORVANE_DESCRIPTIONS ${CMAKE_BINARY_DIR}/app/CFGAPPFR.cfg ${CMAKE_BINARY_DIR}/app/CFGAPPUK.cfg
    ${CMAKE_BINARY_DIR}/app/CFGAPPSP.cfg PARENT_SCOPE)
