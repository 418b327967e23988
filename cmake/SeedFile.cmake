# SPDX-License-Identifier: GPL-2.0-or-later
# cmake -DSRC=... -DDEST=... -P SeedFile.cmake
# Copies SRC to DEST only when DEST does not exist yet.
if(NOT EXISTS "${DEST}")
  get_filename_component(dir "${DEST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${SRC}" "${DEST}")
endif()
