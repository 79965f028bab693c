# What every sample program's build does: draw its pictures into its data folder (the
# folder it runs in) and, once the SDK parts the programs draw with exist, build the
# program there.
include_guard(GLOBAL)

set(VORN_SAMPLE_SDK_READY FALSE)
if(EXISTS ${CMAKE_SOURCE_DIR}/sdk/vornsdk.h
   AND EXISTS ${CMAKE_SOURCE_DIR}/sdk/display/plane.h
   AND EXISTS ${CMAKE_SOURCE_DIR}/sdk/display/layer.h
   AND EXISTS ${CMAKE_SOURCE_DIR}/sdk/input/key_input.h)
  set(VORN_SAMPLE_SDK_READY TRUE)
endif()

# vorn_add_sample(<program> PICTURES <sparkbench|aimshot> SOURCES <files...>
#                 LIBRARIES <libraries...>)
function(vorn_add_sample program)
  cmake_parse_arguments(arg "" "PICTURES" "SOURCES;LIBRARIES" ${ARGN})
  set(data_dir ${CMAKE_BINARY_DIR}/samples/${program})
  set(pictures ${data_dir}/nae.bmp ${data_dir}/spark.bmp)
  add_custom_command(OUTPUT ${pictures}
    COMMAND vorn_assetgen ${arg_PICTURES} ${data_dir}
    DEPENDS vorn_assetgen
    COMMENT "Drawing the pictures of ${program}")
  add_custom_target(${program}_pictures ALL DEPENDS ${pictures})

  if(VORN_SAMPLE_SDK_READY)
    add_executable(${program} ${arg_SOURCES})
    target_link_libraries(${program} PRIVATE ${arg_LIBRARIES} vornsdk_main)
    set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${data_dir})
    add_dependencies(${program} ${program}_pictures)
  endif()
endfunction()
