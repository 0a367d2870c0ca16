# Staging a run folder twice (cmake -DSTAGE=StageFiles.cmake -DWORK=folder -P StagingTest.cmake):
# the second staging brings the source's changed and new files, and keeps every file that was
# changed in the run folder after the first.
file(REMOVE_RECURSE "${WORK}")
set(src "${WORK}/source")
set(run "${WORK}/run")
file(WRITE "${src}/shipped.lev" "shipped level\n")
file(WRITE "${src}/xml/settings.xml" "<xml> <zoom> 2 </zoom> </xml>\n")
file(WRITE "${src}/xml/ships.xml" "ships, first\n")
file(WRITE "${src}/same.lev" "same\n")

function(stage)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${src} -DDEST=${run} ${ARGN} -P ${STAGE}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "staging failed: ${result}")
  endif()
endfunction()

function(expect file text)
  file(READ "${file}" got)
  if(NOT got STREQUAL text)
    message(FATAL_ERROR "${file}: expected '${text}', found '${got}'")
  endif()
endfunction()

stage()
expect("${run}/shipped.lev" "shipped level\n")
expect("${run}/xml/settings.xml" "<xml> <zoom> 2 </zoom> </xml>\n")

# The designer saves over a shipped level and edits a setting; the source changes too.
file(WRITE "${run}/shipped.lev" "the designer's level\n")
file(WRITE "${run}/xml/settings.xml" "<xml> <zoom> 3 </zoom> </xml>\n")
file(WRITE "${src}/shipped.lev" "shipped level, second\n")
file(WRITE "${src}/xml/ships.xml" "ships, second\n")
file(WRITE "${src}/xml/weapons.xml" "weapons\n")
stage()
expect("${run}/shipped.lev" "the designer's level\n")
expect("${run}/xml/settings.xml" "<xml> <zoom> 3 </zoom> </xml>\n")
expect("${run}/xml/ships.xml" "ships, second\n")
expect("${run}/xml/weapons.xml" "weapons\n")
expect("${run}/same.lev" "same\n")

# Still kept at every later staging, even when the source changes again.
file(WRITE "${src}/shipped.lev" "shipped level, third\n")
stage()
expect("${run}/shipped.lev" "the designer's level\n")

# A file deleted in the run folder comes back from the source.
file(REMOVE "${run}/same.lev")
stage()
expect("${run}/same.lev" "same\n")

# A run folder staged before any record was kept: a file that differs from its source stays.
file(REMOVE "${run}/.staged")
file(WRITE "${run}/xml/ships.xml" "ships, the player's\n")
stage()
expect("${run}/xml/ships.xml" "ships, the player's\n")
# A second source staged into the same folder with a record of its own (the generated images
# and sounds): a picture changed in the run folder stays, and neither record loses the other's.
set(made "${WORK}/made")
file(WRITE "${made}/ship.bmp" "ship, made\n")
set(src "${made}")
stage(-DRECORD=.staged-generated)
expect("${run}/ship.bmp" "ship, made\n")
file(WRITE "${run}/ship.bmp" "ship, the designer's\n")
file(WRITE "${made}/ship.bmp" "ship, made again\n")
stage(-DRECORD=.staged-generated)
expect("${run}/ship.bmp" "ship, the designer's\n")
set(src "${WORK}/source")
file(WRITE "${src}/shipped.lev" "shipped level, fourth\n")
file(WRITE "${src}/xml/weapons.xml" "weapons, second\n")
stage()
expect("${run}/shipped.lev" "the designer's level\n")
expect("${run}/xml/weapons.xml" "weapons, second\n")
expect("${run}/ship.bmp" "ship, the designer's\n")
file(REMOVE_RECURSE "${WORK}")
