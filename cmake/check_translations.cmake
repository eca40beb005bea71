# Fails when a sentence in the sources is missing from the translation file, or the file lists one
# the sources no longer have: lupdate runs over a copy of the file and the sources of both are compared.
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS_FILE} NAME)
configure_file(${TS_FILE} ${WORK}/${name} COPYONLY)
execute_process(
  COMMAND ${LUPDATE} -silent -locations none -no-obsolete -source-language en -target-language en
          ${SOURCES} -ts ${WORK}/${name}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${result})")
endif()
file(STRINGS ${TS_FILE} listed REGEX "<source>")
file(STRINGS ${WORK}/${name} found REGEX "<source>")
list(SORT listed)
list(SORT found)
if(NOT listed STREQUAL found)
  set(missing ${found})
  list(REMOVE_ITEM missing ${listed})
  set(stale ${listed})
  list(REMOVE_ITEM stale ${found})
  message(FATAL_ERROR "i18n/${name} is out of date; build the update_translations target.\n"
                      "Not listed: ${missing}\nNo longer in the sources: ${stale}")
endif()
