# korvel_qml_module(<target> <URI> QML_FILES <files...> [SOURCES <files...>] [LIBS <targets...>])
# A static library with its QML module, as every screen subsystem has.
function(korvel_qml_module target uri)
  cmake_parse_arguments(M "" "" "QML_FILES;SOURCES;LIBS;RESOURCES" ${ARGN})
  string(REPLACE "." "/" uri_path ${uri})
  qt_add_library(${target} STATIC)
  qt_add_qml_module(${target}
    URI ${uri}
    VERSION 1.0
    OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/qml/${uri_path}
    QML_FILES ${M_QML_FILES}
    SOURCES ${M_SOURCES}
    RESOURCES ${M_RESOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC korvel_shell ${M_LIBS})
endfunction()
