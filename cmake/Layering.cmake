# Each folder of src/platform is one static library whose headers are reachable
# only through an include root of its own under the build folder:
# <build>/include/<folder>/platform/<folder> links to the source folder. A
# library sees its own headers and those of the libraries it links, so an
# include across the layering fails to compile.

set(TAMAROCK_INCLUDE_ROOTS "${CMAKE_BINARY_DIR}/include")

# Makes <root>/<subpath> a link to the source folder <folder>.
function(tamarock_link_folder root subpath folder)
  set(link "${root}/${subpath}")
  get_filename_component(parent "${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  if(IS_SYMLINK "${link}")
    file(READ_SYMLINK "${link}" target)
    if(target STREQUAL "${folder}")
      return()
    endif()
    file(REMOVE "${link}")
  endif()
  file(CREATE_LINK "${folder}" "${link}" SYMBOLIC)
endfunction()

# tamarock_platform_library(<folder> [<folder it links>...]): the library
# tamarock_<folder>, its sources added by src/platform/<folder>/CMakeLists.txt.
function(tamarock_platform_library folder)
  set(target tamarock_${folder})
  add_library(${target} STATIC)
  set(root "${TAMAROCK_INCLUDE_ROOTS}/${folder}")
  tamarock_link_folder("${root}" "platform/${folder}" "${PROJECT_SOURCE_DIR}/src/platform/${folder}")
  target_include_directories(${target} PUBLIC "${root}")
  foreach(below IN LISTS ARGN)
    target_link_libraries(${target} PUBLIC tamarock_${below})
  endforeach()
  target_link_libraries(${target} PRIVATE Threads::Threads)
endfunction()
