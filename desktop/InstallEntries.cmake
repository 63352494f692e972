# Part of `cmake --install`: the desktop entry and the thumbnailer entry with
# the full paths of their commands under the prefix of this install (not
# DESTDIR, which only stages it). Set by the install rule: TOLVA_ENTRY_TEMPLATES,
# TOLVA_ENTRY_FOLDER, TOLVA_LAUNCHER_DIR, TOLVA_GAMES_DIR, TOLVA_DATA_DIR.

function(tolva_full_path result path)
  if(IS_ABSOLUTE "${path}")
    set(${result} "${path}" PARENT_SCOPE)
  else()
    set(${result} "${CMAKE_INSTALL_PREFIX}/${path}" PARENT_SCOPE)
  endif()
endfunction()

tolva_full_path(TOLVA_LAUNCHER "${TOLVA_LAUNCHER_DIR}/launch")
tolva_full_path(TOLVA_THUMBNAILER "${TOLVA_GAMES_DIR}/tolva-sudoku-thumbnailer")
tolva_full_path(data_dir "${TOLVA_DATA_DIR}")

configure_file("${TOLVA_ENTRY_TEMPLATES}/tolva-sudoku.desktop.in" "${TOLVA_ENTRY_FOLDER}/tolva-sudoku.desktop" @ONLY)
configure_file("${TOLVA_ENTRY_TEMPLATES}/tolva-sudoku.thumbnailer.in" "${TOLVA_ENTRY_FOLDER}/tolva-sudoku.thumbnailer"
               @ONLY)
file(INSTALL "${TOLVA_ENTRY_FOLDER}/tolva-sudoku.desktop" DESTINATION "${data_dir}/applications")
file(INSTALL "${TOLVA_ENTRY_FOLDER}/tolva-sudoku.thumbnailer" DESTINATION "${data_dir}/thumbnailers")
