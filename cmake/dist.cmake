# The release archive: the two executables, the README and the licence, side
# by side at the top of one zip named for the project version. It is made on
# every build so the tests check the very archive `make dist` hands out.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TAVELIN_DIST_PLATFORM win64)
else()
  set(TAVELIN_DIST_PLATFORM win32)
endif()
set(TAVELIN_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/Tavelin-${PROJECT_VERSION}-${TAVELIN_DIST_PLATFORM}.zip)
set(TAVELIN_DIST_FILES $<TARGET_FILE:Tavelin> $<TARGET_FILE:tavelin_sort>
    ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)

# cmake -E tar keeps the paths it is given, so the files are gathered in one
# folder first and archived from there under their bare names.
set(stage ${CMAKE_BINARY_DIR}/dist/stage)
add_custom_command(OUTPUT ${TAVELIN_DIST_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${TAVELIN_DIST_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${TAVELIN_DIST_FILES} ${stage}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
          ${CMAKE_COMMAND} -E tar cf ${TAVELIN_DIST_ZIP} --format=zip
          $<TARGET_FILE_NAME:Tavelin> $<TARGET_FILE_NAME:tavelin_sort> README.md LICENSE
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  DEPENDS Tavelin tavelin_sort ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${TAVELIN_DIST_ZIP}"
  VERBATIM)
add_custom_target(dist_zip ALL DEPENDS ${TAVELIN_DIST_ZIP})

# `make dist` puts a copy in dist/ at the top of the source tree.
add_custom_target(dist
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_SOURCE_DIR}/dist
  COMMAND ${CMAKE_COMMAND} -E copy ${TAVELIN_DIST_ZIP} ${PROJECT_SOURCE_DIR}/dist
  DEPENDS dist_zip
  VERBATIM)
