# SPDX-License-Identifier: GPL-2.0-or-later
# The bus interface file and what the running utility answers to Introspect carry plain
# bus signatures only; the adaptor's generator, though, must be told the C++ type of each
# signature it does not know. Two steps around the generator (cmake -P):
#   MODE=annotate IN=xml OUT=xml TYPES="Property=CxxType;..."  the file the generator reads,
#                 with those properties annotated;
#   MODE=strip FILE=header  the generated adaptor's introspection text without them.
set(type_annotation "org.qtproject.QtDBus.QtTypeName")
if(MODE STREQUAL "annotate")
  file(READ "${IN}" xml)
  foreach(pair IN LISTS TYPES)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 property)
    list(GET pair 1 type)
    set(before "${xml}")
    string(REGEX REPLACE "(<property name=\"${property}\"[^>]*)/>"
           "\\1><annotation name=\"${type_annotation}\" value=\"${type}\"/></property>" xml "${xml}")
    if(xml STREQUAL before)
      message(FATAL_ERROR "${IN}: no property ${property} to annotate")
    endif()
  endforeach()
  file(WRITE "${OUT}" "${xml}")
elseif(MODE STREQUAL "strip")
  file(READ "${FILE}" header)
  string(REGEX REPLACE "\n\"[ ]*<annotation [^\n]*${type_annotation}[^\n]*" "" header "${header}")
  string(FIND "${header}" "\"D-Bus Introspection\"" start)
  string(SUBSTRING "${header}" ${start} -1 introspection)
  string(FIND "${introspection}" "${type_annotation}" left)
  if(NOT left EQUAL -1)
    message(FATAL_ERROR "${FILE}: a type annotation is left in the introspection text")
  endif()
  file(WRITE "${FILE}" "${header}")
else()
  message(FATAL_ERROR "MODE must be annotate or strip")
endif()
