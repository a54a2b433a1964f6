# Extracts the translatable text of Tamarock into a template: the program's
# messages (the code translates through `tr` and `Localize::format`), those
# of the launcher and AppStream templates in data/, and the Info.plist's
# display name.
#
#   cmake -DMODE=update|check -DSOURCE_DIR=<source> -DTEMPLATE=<.pot>
#         -DWORK=<scratch file> -DVERSION=<version> -P Template.cmake
#
# update rewrites TEMPLATE when its messages changed; check fails when they
# differ from what the sources give. The creation date alone is no change, so
# an unchanged template keeps its date and stays out of the next commit.

find_program(XGETTEXT xgettext REQUIRED)

file(GLOB_RECURSE code RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h")
list(SORT code)
set(data data/org.tamarock.Tamarock.desktop.in data/org.tamarock.Tamarock.metainfo.xml.in)
# Without line numbers a message does not look changed whenever code above it moves.
set(common --from-code=UTF-8 --add-comments=TRANSLATORS: --add-location=file
    --package-name=Tamarock --package-version=${VERSION} --msgid-bugs-address=https://tamarock.org -o "${WORK}")

execute_process(COMMAND "${XGETTEXT}" ${common} --language=C++ --keyword --keyword=tr --keyword=format:1 ${code}
  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE failed)
if(NOT failed)
  execute_process(COMMAND "${XGETTEXT}" ${common} --join-existing ${data}
    WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE failed)
endif()
# The Info.plist's display name, which the program shows translated.
if(NOT failed)
  execute_process(COMMAND "${XGETTEXT}" ${common} --join-existing --its=data/InfoPlist.its
                          data/Info.plist.in
    WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "xgettext failed")
endif()

file(READ "${WORK}" fresh)
# xgettext's placeholder comment says nothing about this file.
string(REGEX REPLACE "^# SOME DESCRIPTIVE TITLE\\.\n# Copyright[^\n]*\n(# This file[^\n]*\n)# FIRST AUTHOR[^\n]*\n"
       "# Translatable text of Tamarock.\n\\1" fresh "${fresh}")

set(date_line "\"POT-Creation-Date: [^\"]*\"\n")
string(REGEX REPLACE "${date_line}" "" fresh_undated "${fresh}")
set(old_undated "")
if(EXISTS "${TEMPLATE}")
  file(READ "${TEMPLATE}" old)
  string(REGEX REPLACE "${date_line}" "" old_undated "${old}")
endif()

if(fresh_undated STREQUAL old_undated)
  return()
endif()
if(MODE STREQUAL "update")
  file(WRITE "${TEMPLATE}" "${fresh}")
  message(STATUS "Updated ${TEMPLATE}")
else()
  message(FATAL_ERROR "${TEMPLATE} is out of date with the sources: build the target "
                      "tamarock_pot, then bring each .po up to date with msgmerge")
endif()
