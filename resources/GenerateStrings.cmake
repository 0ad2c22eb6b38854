# Turns strings.txt into the two forms the builds need: a C++ table for
# non-Windows builds and a STRINGTABLE for the Windows plug-in modules.
# Run as a script so that no tool beyond CMake is needed, also when
# cross-compiling:
#   cmake -DINPUT=strings.txt -DCPP_OUTPUT=x.cpp -DRC_OUTPUT=strings.rc
#         -DPRODUCT_VERSION=1.0.0 -P GenerateStrings.cmake

cmake_minimum_required(VERSION 3.20)

foreach(required INPUT CPP_OUTPUT RC_OUTPUT PRODUCT_VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "GenerateStrings.cmake: ${required} is not set")
  endif()
endforeach()

set(MAX_TEXT_BYTES 799)
# Stands in for an escaped backslash while the other escapes are checked.
string(ASCII 1 ESCAPED_BACKSLASH)

file(READ "${INPUT}" content)
string(APPEND content "\n")

set(cpp_entries "")
set(rc_entries "")
set(seen_ids "")
set(line_number 0)

# Walk the file line by line with FIND and SUBSTRING rather than as a CMake
# list, so that semicolons and brackets in texts stay untouched.
while(NOT content STREQUAL "")
  string(FIND "${content}" "\n" end)
  string(SUBSTRING "${content}" 0 ${end} line)
  math(EXPR rest_start "${end} + 1")
  string(SUBSTRING "${content}" ${rest_start} -1 content)
  math(EXPR line_number "${line_number} + 1")

  string(REGEX REPLACE "\r$" "" line "${line}")
  if(line MATCHES "^[ \t]*$" OR line MATCHES "^[ \t]*#")
    continue()
  endif()
  if(NOT line MATCHES "^[ \t]*([0-9]+)[ \t]+(.*)$")
    message(FATAL_ERROR "${INPUT}:${line_number}: expected an id, blanks and a text")
  endif()
  set(text "${CMAKE_MATCH_2}")
  math(EXPR id "${CMAKE_MATCH_1}")
  if(id GREATER 65535)
    message(FATAL_ERROR "${INPUT}:${line_number}: id ${id} is above 65535")
  endif()
  if(id IN_LIST seen_ids)
    message(FATAL_ERROR "${INPUT}:${line_number}: id ${id} appears twice")
  endif()
  list(APPEND seen_ids ${id})

  string(REPLACE "\\\\" "${ESCAPED_BACKSLASH}" unescaped "${text}")
  if(unescaped MATCHES "\\\\([^nt]|$)")
    message(FATAL_ERROR "${INPUT}:${line_number}: unknown escape in text (use \\n, \\t or \\\\)")
  endif()
  string(REGEX REPLACE "\\\\[nt]" "e" unescaped "${unescaped}")
  string(REPLACE "${ESCAPED_BACKSLASH}" "b" unescaped "${unescaped}")
  string(LENGTH "${unescaped}" text_bytes)
  if(text_bytes GREATER MAX_TEXT_BYTES)
    message(FATAL_ERROR "${INPUT}:${line_number}: text of ${id} has ${text_bytes} bytes, "
                        "more than ${MAX_TEXT_BYTES}")
  endif()

  # The escapes allowed above mean the same in C++ and in resource scripts;
  # only the double quote needs spelling differently in each.
  string(REPLACE "\"" "\\\"" cpp_text "${text}")
  string(REPLACE "\"" "\"\"" rc_text "${text}")
  string(APPEND cpp_entries "    {${id}, \"${cpp_text}\"},\n")
  string(APPEND rc_entries "    ${id}, \"${rc_text}\"\n")
endwhile()

if(cpp_entries STREQUAL "")
  message(FATAL_ERROR "${INPUT}: no strings")
endif()

file(WRITE "${CPP_OUTPUT}"
"// Generated from resources/strings.txt by resources/GenerateStrings.cmake.
// Edit strings.txt, not this file.
#include \"platform/BuiltInStrings.h\"

namespace {

struct BuiltInString {
    int id;
    const char* text;
};

constexpr BuiltInString kStrings[] = {
${cpp_entries}};

} // namespace

const char* FindBuiltInString(int id) {
    for (const BuiltInString& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return nullptr;
}

const char* BuiltInProductVersion() { return \"${PRODUCT_VERSION}\"; }
")

file(WRITE "${RC_OUTPUT}"
"// Generated from resources/strings.txt by resources/GenerateStrings.cmake.
// Edit strings.txt, not this file.
#pragma code_page(65001)

LANGUAGE 0x09, 0x01

STRINGTABLE
BEGIN
${rc_entries}END
")
