# Writes the built-in copy of the help file: cmake -DHELP_FILE=.. -DTEMPLATE=.. -DOUTPUT=.. -P
file(READ "${HELP_FILE}" HELP_TEXT)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
