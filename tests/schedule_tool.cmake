# The quillet-schedule command line: its options, exit statuses, summary and
# the rule that an output file is only ever replaced by a complete one.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})

# Messages on a Windows console end their lines with CR LF; the CSV files
# themselves must come through byte for byte.
function(expect what actual expected)
  if(what MATCHES "(status|summary|errors|output|message|text)$")
    string(REPLACE "\r\n" "\n" actual "${actual}")
  endif()
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}: expected [${expected}], got [${actual}]")
  endif()
endfunction()

function(expect_match what actual pattern)
  string(REPLACE "\r\n" "\n" actual "${actual}")
  if(NOT "${actual}" MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: [${actual}] does not match [${pattern}]")
  endif()
endfunction()

execute_process(COMMAND ${emulator} ${TOOL} --help OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
expect("--help status" "${status}" 0)
expect_match("--help text" "${out}" "^usage: quillet-schedule \\[--max-vd PCT\\]")
expect("--help errors" "${err}" "")

execute_process(COMMAND ${emulator} ${TOOL} --version OUTPUT_VARIABLE out RESULT_VARIABLE status)
expect("--version status" "${status}" 0)
expect("--version text" "${out}" "quillet-schedule ${VERSION}\n")

foreach(bad "--bogus" "-x" "--jobs=0" "--jobs=two" "--max-vd=-1" "--max-total-vd=0")
  execute_process(COMMAND ${emulator} ${TOOL} ${bad} ${EXAMPLE} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  expect("${bad} status" "${status}" 2)
  expect("${bad} output" "${out}" "")
  expect_match("${bad} usage on standard error" "${err}" "usage: quillet-schedule")
endforeach()

# The example has a row no size fits and one without a length: exit 1 and
# their lines in the summary.
execute_process(COMMAND ${emulator} ${TOOL} --jobs 1 -o ${WORKDIR}/one.csv ${EXAMPLE} ERROR_VARIABLE err RESULT_VARIABLE status)
expect("example status" "${status}" 1)
expect("example summary" "${err}" "32 feeders: 30 evaluated, 2 with errors (lines 22, 23)\n")
execute_process(COMMAND ${emulator} ${TOOL} --jobs 2 ${EXAMPLE} OUTPUT_VARIABLE two ERROR_QUIET)
file(READ ${WORKDIR}/one.csv one)
expect("--jobs 2 gives the output of --jobs 1" "${two}" "${one}")
execute_process(COMMAND ${emulator} ${TOOL} - INPUT_FILE ${EXAMPLE} OUTPUT_VARIABLE piped ERROR_QUIET)
expect("standard input" "${piped}" "${one}")

# 700 rows of five kinds, errors among them, over more than one batch of
# rows: four threads write what one does, and the summary lists the first
# ten error lines.
set(many "tag,system,voltage,current,power,motor_hp,material,length,unit,runs,size\n")
foreach(i RANGE 699)
  math(EXPR kind "${i} % 5")
  math(EXPR amperes "10 + ${i} % 100")
  math(EXPR length "20 + ${i} % 200")
  set(rows_of_kind "${i},3,480,${amperes},,,cu,${length},ft,1,;${i},1,240,,5000,,al,80,m,1,;${i},3,480,,,25,cu,60,ft,1,4;${i},3,480,2000,,,cu,100,ft,2,;${i},3,480,x,,,cu,100,ft,1,")
  list(GET rows_of_kind ${kind} row)
  string(APPEND many "${row}\n")
endforeach()
file(WRITE ${WORKDIR}/many.csv "${many}")
execute_process(COMMAND ${emulator} ${TOOL} --jobs 1 ${WORKDIR}/many.csv OUTPUT_VARIABLE one_job ERROR_VARIABLE one_summary)
execute_process(COMMAND ${emulator} ${TOOL} --jobs 4 ${WORKDIR}/many.csv OUTPUT_VARIABLE four_jobs ERROR_VARIABLE four_summary)
expect("--jobs 4 gives the output of --jobs 1" "${four_jobs}" "${one_job}")
expect("--jobs 4 gives the summary of --jobs 1" "${four_summary}" "${one_summary}")
expect("700 rows summary" "${one_summary}"
  "700 feeders: 420 evaluated, 280 with errors (lines 5, 6, 10, 11, 15, 16, 20, 21, 25, 26 and 270 more)\n")

# Every row back in its place with its own columns: quoted commas and line
# breaks, a row without a load with its error, a blank line skipped; the
# results after the file's columns, the error last.
file(WRITE ${WORKDIR}/kept.csv
  "Tag,Voltage,Current,Length,Notes\nA,480,100,50,\"first, with a comma\"\nB,480,,50,missing load\n\nC,208,\"12.5\",30,\"two\nlines\"\n")
execute_process(COMMAND ${emulator} ${TOOL} ${WORKDIR}/kept.csv OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
expect("a row without a load: status" "${status}" 1)
expect_match("its summary" "${err}" "\n3 feeders: 2 evaluated, 1 with errors \\(line 3\\)\r?\n$")
# 100 A: a 100 A device, so 60 °C terminals: 1 AWG's 110 A (2 AWG has 95 A).
foreach(kept "^Tag,Voltage,Current,Length,Notes,size_used,[^\n]*,error\r?\n"
        "\nA,480,100,50,\"first, with a comma\",1 AWG,[^\n]*,\r?\n"
        "\nB,480,,50,missing load,[,]+\"line 3, current \\(blank\\): amperes above 0\"\r?\n"
        "\nC,208,12.5,30,\"two\nlines\",14 AWG,ampacity,14 AWG,14 AWG,12.5,")
  expect_match("row kept: ${kept}" "${out}" "${kept}")
endforeach()

# The defaults reach the finder: 80 A takes 3 AWG's 85 A at 60 °C; sized
# as continuous, 100 A takes 1 AWG's 110 A.
file(WRITE ${WORKDIR}/defaults.csv "voltage,current,length,unit\n480,80,50,ft\n")
execute_process(COMMAND ${emulator} ${TOOL} ${WORKDIR}/defaults.csv OUTPUT_VARIABLE out ERROR_QUIET)
expect_match("size by default" "${out}" "\n480,80,50,ft,3 AWG,")
execute_process(COMMAND ${emulator} ${TOOL} --continuous ${WORKDIR}/defaults.csv OUTPUT_VARIABLE out ERROR_QUIET)
expect_match("size with --continuous" "${out}" "\n480,80,50,ft,1 AWG,")

# A thousands separator in a file that writes decimal commas is its row's
# error, never 1.2 A: exit 1. A column the schedule does not read is noted
# on standard error before the summary.
file(WRITE ${WORKDIR}/marks.csv "tag;voltage;current;pf;length;Max VD\nA;480;1.200;0,9;50;2\n")
execute_process(COMMAND ${emulator} ${TOOL} -o ${WORKDIR}/marks-out.csv ${WORKDIR}/marks.csv
  ERROR_VARIABLE err RESULT_VARIABLE status)
expect("thousands separator status" "${status}" 1)
expect("thousands separator notes and summary" "${err}"
  "quillet-schedule: ${WORKDIR}/marks.csv: unknown column \"Max VD\" copied as it is; did you mean max_vd_pct?\n1 feeders: 0 evaluated, 1 with errors (line 2)\n")

# A complete run replaces an existing output.
file(WRITE ${WORKDIR}/replaced.csv "old\n")
execute_process(COMMAND ${emulator} ${TOOL} --jobs 1 -o ${WORKDIR}/replaced.csv ${EXAMPLE} RESULT_VARIABLE status ERROR_QUIET)
expect("replacing status" "${status}" 1)
file(READ ${WORKDIR}/replaced.csv replaced)
expect("replaced output" "${replaced}" "${one}")

# A file that is not CSV leaves an existing output as it was.
file(WRITE ${WORKDIR}/broken.csv "voltage,current,length\n480,100,50\n480,\"100,50\n")
file(WRITE ${WORKDIR}/kept.csv "keep me\n")
execute_process(COMMAND ${emulator} ${TOOL} -o ${WORKDIR}/kept.csv ${WORKDIR}/broken.csv
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
expect("broken status" "${status}" 2)
expect_match("broken message" "${err}" "broken.csv: line 3: a quoted value is not closed")
file(READ ${WORKDIR}/kept.csv kept)
expect("existing output kept" "${kept}" "keep me\n")
if(EXISTS ${WORKDIR}/kept.csv.part)
  message(FATAL_ERROR "the partial output was left behind")
endif()
execute_process(COMMAND ${emulator} ${TOOL} ${WORKDIR}/missing.csv OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
expect("missing input status" "${status}" 2)
expect("missing input output" "${out}" "")

# Windows' null device, under any case and extension, is written, not
# replaced by a file (under Wine it is /dev/null).
if(emulator)
  foreach(device NUL nul.csv)
    execute_process(COMMAND ${emulator} ${TOOL} -o ${device} ${EXAMPLE} WORKING_DIRECTORY ${WORKDIR}
      OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
    expect("${device} status" "${status}" 1)
    file(GLOB made ${WORKDIR}/NUL* ${WORKDIR}/nul*)
    expect("${device} left no file" "${made}" "")
  endforeach()
endif()
# --tree shows the tree after the summary, each row under its supply, with
# the fault current where the path gives source data; --max-total-vd is the
# total limit of rows without one (and a larger size has more fault current).
execute_process(COMMAND ${emulator} ${TOOL} --tree --max-total-vd 4 ${EXAMPLE}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
expect("--tree status" "${status}" 1)
expect_match("--tree text" "${err}" "^32 feeders: 30 evaluated, 2 with errors \\(lines 22, 23\\)\n\
MDP main feeder  600 kcmil  own 0.37573624 %  total 0.37573624 %\n.*\
Tower crane  error, line 22\n.*\
Service SB-2  500 kcmil  own 0.30634356 %  total 0.30634356 %  calculated 215.46148721743873 kVA  fault 19.526712 kA\n\
  Panel DP-2  300 kcmil  own 2.1362317 %  total 2.4425752 %  calculated 62.34998519614897 kVA  fault 6.9620247 kA\n\
    Lighting LTG-2  3 AWG  own 1.3765495 %  total 3.8191247 %  fault 2.0020034 kA\n\
    \\(transformer\\) Panel RP-2 \\(208/120\\)  3/0 AWG  own 0.38911605 %  total 0.38911605 %  calculated 2.4 kVA  fault 4.204629 kA\n\
      Receptacles R-2  6 AWG  own 2.450407 %  total 2.839523 %  fault 0.8505287 kA\n\
  \\(transformer\\) Panel LP-3 \\(store\\)  1/0 AWG  own 0.9657274 %  total 0.9657274 %  calculated 28.4 kVA  fault 4.918666 kA\n\
    Store receptacles  14 AWG  own 0.46991146 %  total 1.4356389 %  fault 0.35621122 kA\n\
    Store lighting  2 AWG  own 2.1812408 %  total 3.1469681 %  fault 2.11001 kA\n\
    Show window  4 AWG  own 1.027384 %  total 1.9931114 %  fault 2.5419738 kA\n\
    Sign  14 AWG  own 2.610619 %  total 3.5763464 %  fault 0.4218985 kA\n$")
expect_match("--max-total-vd limit" "${out}" "\nLighting LTG-2,[^\n]*,1.5574248,3.8191247,ok,[^\n]*,2.0020034,0,0.477023,6.958806,ok,\r?\n")

# --drawing-pdf writes the drawing schedule through the desktop's painter,
# offscreen, beside the target and renamed into place; a build without the
# desktop's toolkit refuses it.
file(WRITE ${WORKDIR}/drawing.pdf "old\n")
execute_process(COMMAND ${emulator} ${TOOL} --drawing-pdf ${WORKDIR}/drawing.pdf ${EXAMPLE}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(DRAWING_PDF)
  expect("--drawing-pdf status" "${status}" 1)
  expect("--drawing-pdf output" "${out}" "")
  expect("--drawing-pdf summary" "${err}" "32 feeders: 30 evaluated, 2 with errors (lines 22, 23)\n")
  file(GLOB parts ${WORKDIR}/drawing.pdf?*)
  expect("--drawing-pdf left no partial file" "${parts}" "")
  find_program(pdftotext pdftotext)
  if(pdftotext)
    execute_process(COMMAND ${pdftotext} -layout ${WORKDIR}/drawing.pdf - OUTPUT_VARIABLE text)
    foreach(seen "Feeder schedule +feeders.csv" "Tag +Fed from +Load" "Conductor set" "Panel LP-3 \\(store\\) +Service SB-2 +28.4 +135 +150 +3 #1/0 \\+ 1 #6 G, 1-1/2\" EMT +80 ft"
        "Page 1 of [0-9]" "Fault current calculated [0-9-]+ [0-9:]+")
      expect_match("--drawing-pdf text" "${text}" "${seen}")
    endforeach()
  endif()
  execute_process(COMMAND ${emulator} ${TOOL} --drawing-pdf ${WORKDIR}/drawing.pdf - INPUT_FILE ${EXAMPLE}
    ERROR_VARIABLE err RESULT_VARIABLE status)
  expect("--drawing-pdf from standard input status" "${status}" 2)
  expect_match("--drawing-pdf from standard input message" "${err}" "reads its schedule from a file")
else()
  expect("--drawing-pdf refused status" "${status}" 2)
  expect_match("--drawing-pdf refused message" "${err}" "--drawing-pdf is not available: this build has no desktop toolkit")
  file(READ ${WORKDIR}/drawing.pdf kept)
  expect("--drawing-pdf refused leaves the file" "${kept}" "old\n")
endif()
