# The Qt GUI: one library with every window (so the GUI tests link the real windows) and a thin executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
set(CMAKE_AUTOUIC OFF)

set(GUI_DIRS app db structure exec editor history files dialogs)
set(GUI_SOURCES)
foreach(dir ${GUI_DIRS})
  file(GLOB dir_sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  list(APPEND GUI_SOURCES ${dir_sources})
endforeach()
list(REMOVE_ITEM GUI_SOURCES ${CMAKE_SOURCE_DIR}/app/main.cpp)

add_library(querimo_gui STATIC ${GUI_SOURCES} ${CMAKE_SOURCE_DIR}/resources/resources.qrc)
target_include_directories(querimo_gui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(querimo_gui PUBLIC querimo_ado Qt6::Widgets)

add_executable(querimo ${CMAKE_SOURCE_DIR}/app/main.cpp)
target_link_libraries(querimo PRIVATE querimo_gui)
set_target_properties(querimo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# What the program needs beside it in its own folder.
add_custom_command(TARGET querimo POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/sqlwords.dat ${CMAKE_BINARY_DIR}/bin/sqlwords.dat)
