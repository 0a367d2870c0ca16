# Stages qor's run directory: authored text data, generated images and sounds, the font, and
# the folder that holds the debug log. Nothing here writes into the source tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QOR_FONT /usr/share/fonts/truetype/freefont/FreeMono.ttf)
add_custom_target(stage_qor ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QOR_RUN_DIR}/C:/C
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data/qor ${QOR_RUN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QOR_FONT} ${QOR_RUN_DIR}/FreeMono.ttf
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/data/generate_qor_assets.py ${QOR_RUN_DIR}
  COMMENT "Staging the qor run directory"
  VERBATIM)
add_dependencies(qor stage_qor)
