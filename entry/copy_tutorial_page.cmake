# Copies the tutorial page and the screenshots it shows beside the program:
#   cmake -DSOURCE=<repository>/docs -DDESTINATION=<program directory> -P copy_tutorial_page.cmake
# A folder that does not exist yet is left out rather than failing the build.
foreach(folder tutorial screenshots)
  if(EXISTS ${SOURCE}/${folder})
    file(COPY ${SOURCE}/${folder} DESTINATION ${DESTINATION})
  endif()
endforeach()
