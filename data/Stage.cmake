# Stages qor's run directory: authored text data, generated images and sounds, the font, and
# the folder that holds the debug log. Nothing here writes into the source tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QOR_FONT /usr/share/fonts/truetype/freefont/FreeMono.ttf)
set(QOR_ASSET_DIR ${CMAKE_BINARY_DIR}/qor-assets)
add_custom_target(stage_qor ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QOR_RUN_DIR}/C:/C
  # Files changed in the run folder since they were staged (saved levels, edited settings) stay.
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/data/qor -DDEST=${QOR_RUN_DIR}
          -P ${CMAKE_SOURCE_DIR}/data/StageFiles.cmake
  # The font and the generated images and sounds are made in a folder of their own and staged
  # the same way, so that an image or sound changed in the run folder stays too.
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QOR_ASSET_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QOR_FONT} ${QOR_ASSET_DIR}/FreeMono.ttf
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/data/generate_qor_assets.py ${QOR_ASSET_DIR}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${QOR_ASSET_DIR} -DDEST=${QOR_RUN_DIR} -DRECORD=.staged-generated
          -P ${CMAKE_SOURCE_DIR}/data/StageFiles.cmake
  COMMENT "Staging the qor run directory"
  VERBATIM)
add_dependencies(qor stage_qor)
