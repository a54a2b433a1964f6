# Compiles one translation into a catalogue that gettext loads:
#   tamarock_compile_catalogue(<.po file> <.mo file> <comment>)
function(tamarock_compile_catalogue po_file mo_file comment)
  get_filename_component(mo_dir "${mo_file}" DIRECTORY)
  add_custom_command(
    OUTPUT "${mo_file}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${mo_dir}"
    COMMAND ${GETTEXT_MSGFMT_EXECUTABLE} --check -o "${mo_file}" "${po_file}"
    DEPENDS "${po_file}"
    COMMENT "${comment}"
    VERBATIM)
endfunction()
