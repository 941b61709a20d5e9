# Puts the welcome set into the program folder when the folder holds no set, so a
# first start has a layout to open. Usage: cmake -DSET=<set> -DDEST=<folder> -P placeset.cmake
file(GLOB existing "${DEST}/*.set")
if(NOT existing)
  file(COPY "${SET}" DESTINATION "${DEST}")
endif()
