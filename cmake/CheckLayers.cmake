# Checks the project's includes against its layers: which part may include which.
#   cmake -DROOT=<project root> -DMAY_INCLUDE="part: part...|..." \
#         [-DSOURCES_MAY_ALSO_INCLUDE="part: part...|..."] -DTREES="folder..." -P CheckLayers.cmake
# A part is a folder of the project (crew, sim/world, packaging/tool); a file belongs to the part
# whose folder is the longest that holds it. A part's files may include headers of their own part,
# of the parts MAY_INCLUDE lists for it and of the standard library and the system (<...>); its
# .cpp files also those SOURCES_MAY_ALSO_INCLUDE lists. Every quoted include names its header by
# its path from the project's root, so that no include slips past the check. Every C++ file under
# the folders TREES names belongs to a part. Ends with an error naming each fault.
cmake_minimum_required(VERSION 3.25)

# The rules: for each part, the variable <prefix>_<part> lists what it may include.
function(read_rules text prefix)
  string(REPLACE "|" ";" entries "${text}")
  set(parts "")
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "^([a-z/-]+):(.*)$" matched "${entry}")
    if(NOT matched)
      message(FATAL_ERROR "CheckLayers: cannot read the rule \"${entry}\"")
    endif()
    separate_arguments(targets UNIX_COMMAND "${CMAKE_MATCH_2}")
    set(${prefix}_${CMAKE_MATCH_1} ${targets} PARENT_SCOPE)
    list(APPEND parts ${CMAKE_MATCH_1})
  endforeach()
  set(${prefix}_parts ${parts} PARENT_SCOPE)
endfunction()

# The part that holds `path` (a path from the root): the longest part folder it lies in; empty
# when it lies in none.
function(part_of path out)
  set(best "")
  foreach(part IN LISTS parts)
    string(LENGTH "${part}" length)
    string(LENGTH "${best}" bestLength)
    string(FIND "${path}" "${part}/" at)
    if(at EQUAL 0 AND length GREATER bestLength)
      set(best ${part})
    endif()
  endforeach()
  set(${out} "${best}" PARENT_SCOPE)
endfunction()

read_rules("${MAY_INCLUDE}" headers)
read_rules("${SOURCES_MAY_ALSO_INCLUDE}" sources)
set(parts ${headers_parts})

set(faults "")
foreach(tree IN LISTS TREES)
  file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/${tree}/*.h ${ROOT}/${tree}/*.cpp)
  foreach(file IN LISTS files)
    part_of(${file} part)
    if(part STREQUAL "")
      list(APPEND faults "${file} stands in no part of ${tree}/")
      continue()
    endif()
    set(allowed ${part} ${headers_${part}})
    if(file MATCHES "\\.cpp$")
      list(APPEND allowed ${sources_${part}})
    endif()
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" path "${line}")
      set(where "${file} includes \"${path}\"")
      if(path MATCHES "^\\.|/\\.|^[^/]*$")
        list(APPEND faults "${where}: include the project's headers by their path from its root")
        continue()
      endif()
      part_of(${path} target)
      list(FIND allowed "${target}" found)
      if(target STREQUAL "" OR found EQUAL -1)
        list(JOIN allowed ", " allowedText)
        list(APPEND faults "${where}: ${part}/ may include only ${allowedText}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes across the project's layers that they may not make:\n  ${text}")
endif()
