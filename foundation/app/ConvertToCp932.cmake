# cmake -DINPUT=<UTF-8 text> -DOUTPUT=<file> -P ConvertToCp932.cmake
# Writes INPUT as CP932 text with CRLF lines, through a temporary and a rename.
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
set(crlf "${OUTPUT}.crlf.tmp")
file(WRITE "${crlf}" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932
                INPUT_FILE "${crlf}" OUTPUT_FILE "${OUTPUT}.tmp"
                RESULT_VARIABLE rc)
file(REMOVE "${crlf}")
if(NOT rc EQUAL 0)
  file(REMOVE "${OUTPUT}.tmp")
  message(FATAL_ERROR "iconv could not convert ${INPUT} to CP932")
endif()
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
