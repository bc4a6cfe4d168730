# Writes the hand-kept CHANGELOG.md as a Debian changelog: each
# "## VERSION (YYYY-MM-DD)" heading becomes an entry, each "- " item a "*"
# line, its indented lines the item's continuation. Text above the first
# heading is the file's own introduction and is left out. The newest
# release's version and day are left in QUILLET_RELEASE_VERSION and
# QUILLET_RELEASE_DATE.

# "Mon, 07 Dec 2026 00:00:00 +0000" for 2026 12 07 (Zeller's congruence).
function(quillet_rfc2822_day year month day result)
  set(m ${month})
  set(y ${year})
  if(m LESS 3)
    math(EXPR m "${m} + 12")
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR h "(${day} + 13 * (${m} + 1) / 5 + ${y} % 100 + ${y} % 100 / 4 + ${y} / 400 - 2 * (${y} / 100) + 700) % 7")
  set(weekdays Sat Sun Mon Tue Wed Thu Fri)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${h} weekday)
  math(EXPR month_index "${month} - 1")
  list(GET months ${month_index} month_name)
  set(${result} "${weekday}, ${day} ${month_name} ${year} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

function(quillet_debian_changelog source output package maintainer)
  file(READ ${source} text)
  # Semicolons in the text would split it as a CMake list.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})

  set(entries "")
  set(footer "")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^## ([0-9][0-9A-Za-z.+~-]*) \\(([0-9][0-9][0-9][0-9])-([01][0-9])-([0-3][0-9])\\)$")
      if(footer STREQUAL "")
        set(QUILLET_RELEASE_VERSION ${CMAKE_MATCH_1} PARENT_SCOPE)
        set(QUILLET_RELEASE_DATE ${CMAKE_MATCH_2}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4} PARENT_SCOPE)
      endif()
      string(APPEND entries "${footer}")
      quillet_rfc2822_day(${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} date)
      string(APPEND entries "${package} (${CMAKE_MATCH_1}) unstable${semicolon} urgency=medium\n\n")
      set(footer "\n -- ${maintainer}  ${date}\n\n")
    elseif(footer STREQUAL "" OR line STREQUAL "")
      # The introduction, or a blank line between items.
    elseif(line MATCHES "^- (.+)$")
      string(APPEND entries "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^  ([^ ].*)$")
      string(APPEND entries "    ${CMAKE_MATCH_1}\n")
    else()
      message(FATAL_ERROR "${source}:${number}: expected a \"## VERSION (YYYY-MM-DD)\" heading, "
                          "a \"- \" item or an item's line indented by two spaces")
    endif()
  endforeach()
  if(footer STREQUAL "")
    message(FATAL_ERROR "${source}: no \"## VERSION (YYYY-MM-DD)\" release heading")
  endif()
  string(APPEND entries "${footer}")
  string(STRIP "${entries}" entries)
  string(REPLACE "${semicolon}" ";" entries "${entries}")
  file(WRITE ${output} "${entries}\n")
endfunction()
