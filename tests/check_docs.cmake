cmake_minimum_required(VERSION 3.25)
# Fails when the README loses one of its two commands or grows past a page
# a newcomer reads in a minute, or when a relative link or picture of the
# README, the guides in docs/ or a man page's pointer to them names a file
# that is not there. Run with -DROOT=<source folder>.

set(faults 0)
macro(fault text)
  message(SEND_ERROR "${text}")
  math(EXPR faults "${faults} + 1")
endmacro()

set(readme ${ROOT}/README.md)
file(READ ${readme} text)
foreach(command "bash scripts/run.sh" "bash scripts/test.sh")
  string(FIND "${text}" "    ${command}" at)
  if(at EQUAL -1)
    fault("README.md: the command \"${command}\" is not shown as a command line")
  endif()
endforeach()
string(REGEX MATCHALL "\n" ends "${text}")
list(LENGTH ends lines)
if(lines GREATER 130)
  fault("README.md: ${lines} lines, more than 130; move the detail into docs/")
endif()

# Markdown links and pictures: [text](target) and ![text](target). Web
# addresses and anchors within the same page are not files.
file(GLOB guides ${ROOT}/docs/*.md)
foreach(page ${readme} ${guides})
  file(READ ${page} text)
  get_filename_component(folder ${page} DIRECTORY)
  file(RELATIVE_PATH name ${ROOT} ${page})
  # A bracket in a list element would hide the separators after it.
  string(REPLACE "](" " link:(" text "${text}")
  string(REGEX MATCHALL " link:\\([^)]*\\)" links "${text}")
  foreach(link ${links})
    string(REGEX REPLACE "^ link:\\(([^ #)]*).*$" "\\1" target "${link}")
    if(target STREQUAL "" OR target MATCHES "^[a-z]+:")
      continue()
    endif()
    if(NOT EXISTS ${folder}/${target})
      fault("${name}: the link ${target} names nothing")
    endif()
  endforeach()
endforeach()

# The man pages point readers at the guides by their place in the source.
file(GLOB pages ${ROOT}/docs/man/*.1)
foreach(page ${pages})
  file(READ ${page} text)
  file(RELATIVE_PATH name ${ROOT} ${page})
  string(REPLACE "\\-" "-" text "${text}")
  string(REGEX MATCHALL "docs/[a-z-]+\\.md" targets "${text}")
  if(NOT targets)
    fault("${name}: no pointer to the guides in docs/")
  endif()
  foreach(target ${targets})
    if(NOT EXISTS ${ROOT}/${target})
      fault("${name}: ${target} is not there")
    endif()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} fault(s) in the README and the guides")
endif()
