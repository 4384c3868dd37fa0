# Writes a broken copy of a stored window description: -DIN=<description> -DOUT=<copy>
# -DFROM=<text> -DTO=<replacement>, or -DCUT=<text> to end the copy before the line holding it.
# The text must be there, so that a change of the description cannot leave the copy unbroken.
file(READ "${IN}" text)
if(DEFINED CUT)
  string(FIND "${text}" "${CUT}" at)
  if(at LESS 0)
    message(FATAL_ERROR "'${CUT}' is not in ${IN}")
  endif()
  string(SUBSTRING "${text}" 0 ${at} broken)
else()
  string(REPLACE "${FROM}" "${TO}" broken "${text}")
  if(broken STREQUAL text)
    message(FATAL_ERROR "'${FROM}' is not in ${IN}")
  endif()
endif()
file(WRITE "${OUT}" "${broken}")
