# Stages qor's run directory: authored text data, generated images and sounds, the font, and
# the folder that holds the debug log. Nothing here writes into the source tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QOR_FONT /usr/share/fonts/truetype/freefont/FreeMono.ttf)
add_custom_target(stage_qor ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QOR_RUN_DIR}/C:/C
  # Files changed in the run folder since they were staged (saved levels, edited settings) stay.
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data/qor -DDEST=${QOR_RUN_DIR}
          -P ${CMAKE_SOURCE_DIR}/data/StageFiles.cmake
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QOR_FONT} ${QOR_RUN_DIR}/FreeMono.ttf
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/data/generate_qor_assets.py ${QOR_RUN_DIR}
  COMMENT "Staging the qor run directory"
  VERBATIM)
add_dependencies(qor stage_qor)
