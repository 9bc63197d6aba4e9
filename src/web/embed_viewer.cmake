# Writes the built-in copy of the web viewer:
#   cmake -DPAGE=.. -DSTYLE=.. -DSCRIPTS=a.js|b.js -DHOOKS=.. -DOUTPUT=.. -P embed_viewer.cmake
# HOOKS is the code that pages written for tests hold before the viewer's.
# The page must not end its script element early: no script may hold "</script" or "<!--".
file(READ "${PAGE}" page)
file(READ "${STYLE}" style)
# The files joined, checked that they leave the page's script element whole.
function(read_scripts files out)
  set(script "")
  string(REPLACE "|" ";" files "${files}")
  foreach(part IN LISTS files)
    file(READ "${part}" text)
    string(APPEND script "${text}")
  endforeach()
  string(TOLOWER "${script}" lower)
  string(FIND "${lower}" "</script" closing)
  string(FIND "${lower}" "<!--" comment)
  if(NOT closing EQUAL -1 OR NOT comment EQUAL -1)
    message(FATAL_ERROR "The viewer's code holds </script or <!--, which would end its element")
  endif()
  set(${out} "${script}" PARENT_SCOPE)
endfunction()
read_scripts("${SCRIPTS}" script)
read_scripts("${HOOKS}" hooks)
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
as_literal("${hooks}" hooks_literal)
file(WRITE "${OUTPUT}.new" "// Generated from resources/web-viewer at build time; edit those files instead.
#include \"web/viewer_assets.h\"

namespace {
constexpr char page[] =
${page_literal};
constexpr char style[] =
${style_literal};
constexpr char script[] =
${script_literal};
constexpr char hooks[] =
${hooks_literal};
} // namespace

const std::string_view viewerPage(page, sizeof page - 1);
const std::string_view viewerStyle(style, sizeof style - 1);
const std::string_view viewerScript(script, sizeof script - 1);
const std::string_view viewerTestHooks(hooks, sizeof hooks - 1);
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
