# Refuses an include of a library the including target does not link.
#   cmake -DGRAPH=<build>/link_graph.txt -DROOT=<source tree> -P check_includes.cmake
#
# GRAPH is written when CMake configures (velk_write_link_graph in the top
# CMakeLists.txt): one line a target, "path name links...", where path is the
# folder (or the one file) the target builds and links is every target it
# reaches. An include "dir/file.h" belongs to the library whose folder under
# src/ is the longest prefix of it; it is allowed when that library is the
# including target itself or among its links. Includes naming no library
# folder (system headers, a test's own support files) are not checked.

cmake_minimum_required(VERSION 3.20)

if(NOT GRAPH OR NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DGRAPH=link_graph.txt -DROOT=tree -P check_includes.cmake")
endif()
if(NOT EXISTS "${GRAPH}")
  message(FATAL_ERROR "IncludeGraph: ${GRAPH} is missing; configure the build first")
endif()

file(STRINGS "${GRAPH}" _lines)
set(_owners "")
set(_lib_dirs "")
foreach(_line ${_lines})
  string(REPLACE " " ";" _fields "${_line}")
  list(POP_FRONT _fields _path _name)
  list(APPEND _owners ${_name})
  set(_path_${_name} "${_path}")
  set(_links_${_name} ${_fields})
  # A folder of src/ is a library's folder: includes name it from src/.
  if(_path MATCHES "^src/(.+)$" AND IS_DIRECTORY "${ROOT}/${_path}")
    list(APPEND _lib_dirs "${CMAKE_MATCH_1}")
    set(_lib_of_${CMAKE_MATCH_1} ${_name})
  endif()
endforeach()

# Files claimed by a target of their own leave their folder's target.
set(_single_files "")
foreach(_name ${_owners})
  if(NOT IS_DIRECTORY "${ROOT}/${_path_${_name}}")
    list(APPEND _single_files "${ROOT}/${_path_${_name}}")
  endif()
endforeach()

set(_checked 0)
set(_bad 0)
foreach(_name ${_owners})
  set(_path "${ROOT}/${_path_${_name}}")
  if(IS_DIRECTORY "${_path}")
    file(GLOB _files LIST_DIRECTORIES false
         "${_path}/*.h" "${_path}/*.hpp" "${_path}/*.cpp" "${_path}/*.cc" "${_path}/*.inc")
    list(SORT _files)
    if(_single_files)
      list(REMOVE_ITEM _files ${_single_files})
    endif()
  elseif(EXISTS "${_path}")
    set(_files "${_path}")
  else()
    continue()
  endif()
  foreach(_file ${_files})
    math(EXPR _checked "${_checked} + 1")
    file(STRINGS "${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(_inc ${_includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" _target "${_inc}")
      # The library whose folder is the longest prefix of the include.
      set(_best "")
      foreach(_dir ${_lib_dirs})
        string(LENGTH "${_dir}/" _len)
        string(SUBSTRING "${_target}" 0 ${_len} _head)
        string(LENGTH "${_best}" _best_len)
        if(_head STREQUAL "${_dir}/" AND _len GREATER _best_len)
          set(_best "${_dir}")
        endif()
      endforeach()
      if(_best STREQUAL "")
        continue()
      endif()
      set(_lib ${_lib_of_${_best}})
      if(NOT _lib STREQUAL _name AND NOT _lib IN_LIST _links_${_name})
        file(RELATIVE_PATH _shown "${ROOT}" "${_file}")
        message("${_shown}: includes \"${_target}\" of ${_lib}, which ${_name} does not link")
        math(EXPR _bad "${_bad} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(_bad GREATER 0)
  message(FATAL_ERROR "IncludeGraph: ${_bad} include(s) of a library the target does not link")
endif()
message(STATUS "IncludeGraph: ${_checked} files of ${ROOT}, every include of a library is linked")
