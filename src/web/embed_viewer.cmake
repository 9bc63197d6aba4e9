# Writes the built-in copy of the web viewer:
#   cmake -DPAGE=.. -DSTYLE=.. -DSCRIPTS=a.js|b.js -DOUTPUT=.. -P embed_viewer.cmake
# The page must not end its script element early: no script may hold "</script" or "<!--".
file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
set(script "")
string(REPLACE "|" ";" scripts "${SCRIPTS}")
foreach(part IN LISTS scripts)
  file(READ "${part}" text)
  string(APPEND script "${text}")
endforeach()
string(TOLOWER "${script}" lower)
string(FIND "${lower}" "</script" closing)
string(FIND "${lower}" "<!--" comment)
if(NOT closing EQUAL -1 OR NOT comment EQUAL -1)
  message(FATAL_ERROR "The viewer's code holds </script or <!--, which would end its element")
endif()
# Raw string literals have a length limit on some compilers: one per 16 KB piece.
function(as_literal text out)
  set(result "")
  string(LENGTH "${text}" length)
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${text}" ${at} 16000 piece)
    string(APPEND result "R\"STIRPAVIEWER(${piece})STIRPAVIEWER\"\n")
    math(EXPR at "${at} + 16000")
  endwhile()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()
as_literal("${page}" page_literal)
as_literal("${style}" style_literal)
as_literal("${script}" script_literal)
file(WRITE "${OUTPUT}.new" "// Generated from resources/web-viewer at build time; edit those files instead.
#include \"web/viewer_assets.h\"

namespace {
constexpr char page[] =
${page_literal};
constexpr char style[] =
${style_literal};
constexpr char script[] =
${script_literal};
} // namespace

const std::string_view viewerPage(page, sizeof page - 1);
const std::string_view viewerStyle(style, sizeof style - 1);
const std::string_view viewerScript(script, sizeof script - 1);
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
