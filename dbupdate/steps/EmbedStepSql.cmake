# cmake -DOUTPUT=<file.cpp> -DINPUTS=<a.sql;b.sql...> -P EmbedStepSql.cmake
# Writes the function StepSql that answers each step's statement file by its
# name (without folder and extension), the text as it stands in UTF-8.
set(body "// Generated from dbupdate/steps/*.sql by EmbedStepSql.cmake.\n")
string(APPEND body "#include \"dbupdate/steps/StepSql.h\"\n\n#include <stdexcept>\n\nnamespace vq {\n\n")
string(APPEND body "std::string_view StepSql(std::string_view name)\n{\n")
foreach(input IN LISTS INPUTS)
  get_filename_component(name "${input}" NAME_WE)
  file(READ "${input}" text)
  string(FIND "${text}" ")vqsql\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${input} holds the literal's closing delimiter")
  endif()
  string(APPEND body "    if (name == \"${name}\")\n        return R\"vqsql(${text})vqsql\";\n")
endforeach()
string(APPEND body "    throw std::out_of_range(\"no update statements named \" + std::string(name));\n}\n\n} // namespace vq\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
