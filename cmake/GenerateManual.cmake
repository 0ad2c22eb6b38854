# Turns a program's manual, written once as plain text files (one per topic:
# the overview, then one per command), into the two forms the program needs:
# a C++ table of the texts, which its help prints as they are, and a manual
# page in man(7) form. Run as a script, so that no tool beyond CMake is
# needed:
#   cmake -DPROGRAM=dapple -DSUMMARY="..." -DVERSION=1.0.0 -DFOLDER=cli/manual
#         -DTOPICS="dapple;apply;..." -DCPP_OUTPUT=x.cpp -DMAN_OUTPUT=dapple.1
#         -P GenerateManual.cmake
#
# The text files follow a few rules, which make the page's layout:
#   a line at the left margin that ends with a colon ("Options:") heads a part;
#   a line indented by two blanks that begins with "-" names an option, and
#     the lines below it, indented further, say what it does;
#   other lines indented by two blanks are shown as they are (commands, tables);
#   a blank line ends a paragraph.
# The first topic is the program's own (its synopsis and overview); each
# further topic is a command, headed by its name.

cmake_minimum_required(VERSION 3.20)

foreach(required PROGRAM SUMMARY VERSION FOLDER TOPICS CPP_OUTPUT MAN_OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "GenerateManual.cmake: ${required} is not set")
  endif()
endforeach()

set(RAW_DELIMITER "manual-text")

# Text for roff: backslashes and hyphens escaped, a leading dot or quote kept
# from being read as a request.
function(roff_text IN OUT)
  set(text "${IN}")
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${OUT} "${text}" PARENT_SCOPE)
endfunction()

# The roff of one topic's text.
function(roff_topic CONTENT OUT)
  set(content "${CONTENT}\n")
  set(roff "")
  set(mode "text")  # text, verbatim, option
  while(NOT content STREQUAL "")
    string(FIND "${content}" "\n" end)
    string(SUBSTRING "${content}" 0 ${end} line)
    math(EXPR rest "${end} + 1")
    string(SUBSTRING "${content}" ${rest} -1 content)
    string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")

    if(line STREQUAL "")
      if(mode STREQUAL "verbatim")
        string(APPEND roff ".fi\n.RE\n")
      endif()
      set(mode "text")
      string(APPEND roff ".PP\n")
    elseif(line MATCHES "^usage: (.*)$")
      # Each condition of an OR would clear the other's match: one test each.
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff ".br\n${text}\n")
    elseif(line MATCHES "^       (dapple.*)$")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff ".br\n${text}\n")
    elseif(line MATCHES "^([A-Z][^:]*):$")
      if(mode STREQUAL "verbatim")
        string(APPEND roff ".fi\n.RE\n")
      endif()
      set(mode "text")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff ".TP 0\n.B ${text}\n")
    elseif(line MATCHES "^  (-.*)$")
      if(mode STREQUAL "verbatim")
        string(APPEND roff ".fi\n.RE\n")
      endif()
      set(mode "option")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff ".TP\n.B ${text}\n")
    elseif(line MATCHES "^   +(.*)$" AND mode STREQUAL "option")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff "${text}\n")
    elseif(line MATCHES "^  (.*)$")
      if(NOT mode STREQUAL "verbatim")
        string(APPEND roff ".RS\n.nf\n")
      endif()
      set(mode "verbatim")
      roff_text("${CMAKE_MATCH_1}" text)
      string(APPEND roff "${text}\n")
    else()
      if(mode STREQUAL "verbatim")
        string(APPEND roff ".fi\n.RE\n")
      endif()
      set(mode "text")
      roff_text("${line}" text)
      string(APPEND roff "${text}\n")
    endif()
  endwhile()
  if(mode STREQUAL "verbatim")
    string(APPEND roff ".fi\n.RE\n")
  endif()
  set(${OUT} "${roff}" PARENT_SCOPE)
endfunction()

string(TOUPPER "${PROGRAM}" title)
roff_text("${PROGRAM}" roff_program)
roff_text("${SUMMARY}" roff_summary)
set(man ".TH ${title} 1 \"\" \"Mornebrook Dapple! ${VERSION}\" \"User Commands\"\n")
string(APPEND man ".SH NAME\n${roff_program} \\- ${roff_summary}\n")
set(cpp "// Generated from ${FOLDER} by GenerateManual.cmake; edit the text files there.\n")
string(APPEND cpp "#include <cstring>\n\nnamespace {\n\nstruct ManualTopic {\n    const char* name;\n    const char* text;\n};\n\n")
string(APPEND cpp "constexpr ManualTopic kTopics[] = {\n")

set(first TRUE)
foreach(topic ${TOPICS})
  file(READ "${FOLDER}/${topic}.txt" text)
  string(FIND "${text}" ")${RAW_DELIMITER}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${FOLDER}/${topic}.txt holds the raw string's delimiter")
  endif()
  roff_topic("${text}" roff)
  if(first)
    string(APPEND man ".SH SYNOPSIS\n${roff}")
    string(APPEND cpp "    {\"\", R\"${RAW_DELIMITER}(${text})${RAW_DELIMITER}\"},\n")
    set(first FALSE)
  else()
    roff_text("${topic}" roff_topic_name)
    string(APPEND man ".SH \"${title} ${roff_topic_name}\"\n${roff}")
    string(APPEND cpp "    {\"${topic}\", R\"${RAW_DELIMITER}(${text})${RAW_DELIMITER}\"},\n")
  endif()
endforeach()

string(APPEND cpp "};\n\n}  // namespace\n\n")
string(APPEND cpp "// The text of `topic` (empty: the program's own), or null when there is none.\n")
string(APPEND cpp "const char* ManualText(const char* topic) {\n")
string(APPEND cpp "    for (const ManualTopic& entry : kTopics) {\n")
string(APPEND cpp "        if (std::strcmp(entry.name, topic) == 0) return entry.text;\n    }\n    return nullptr;\n}\n\n")
string(APPEND cpp "// The topics after the program's own, in order, ended by a null.\n")
string(APPEND cpp "const char* ManualTopicAt(int index) {\n")
string(APPEND cpp "    const int count = static_cast<int>(sizeof kTopics / sizeof kTopics[0]);\n")
string(APPEND cpp "    return index >= 0 && index + 1 < count ? kTopics[index + 1].name : nullptr;\n}\n")

file(WRITE "${CPP_OUTPUT}.new" "${cpp}")
file(WRITE "${MAN_OUTPUT}.new" "${man}")
file(COPY_FILE "${CPP_OUTPUT}.new" "${CPP_OUTPUT}" ONLY_IF_DIFFERENT)
file(COPY_FILE "${MAN_OUTPUT}.new" "${MAN_OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${CPP_OUTPUT}.new" "${MAN_OUTPUT}.new")
