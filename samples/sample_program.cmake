# What every sample program's build does: draw its pictures into its data folder (the
# folder it runs in) and, once the SDK offers what the programs use, build the program
# there.
include_guard(GLOBAL)

# The programs are built once the SDK offers everything they use: a probe that names
# each of those parts must compile. Until then only their game logic builds. The probe
# runs again whenever one of its headers changes.
set(VORN_SAMPLE_SDK_HEADERS vornsdk.h display/direct_draw.h display/display_driver.h
    display/display_state.h display/plane.h display/layer.h input/key_input.h)
set(probe_includes "")
foreach(header IN LISTS VORN_SAMPLE_SDK_HEADERS)
  string(APPEND probe_includes "#include \"${header}\"\n")
  if(EXISTS ${CMAKE_SOURCE_DIR}/sdk/${header})
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${CMAKE_SOURCE_DIR}/sdk/${header})
  endif()
endforeach()
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_INCLUDES ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/sdk)
set(CMAKE_REQUIRED_QUIET ON)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)  # compile only: the SDK is not linked
unset(VORN_SAMPLE_SDK_READY CACHE)
check_cxx_source_compiles("${probe_includes}
int main() {
    CPlane plane;
    CTextLayer text;
    CFPSLayer fps;
    RegisterLayer(&fps);
    plane.BltTrans(0, 0, RECT{});
    GetDirectDraw()->SetPaletteSource(&plane);
    GetKeyInput()->Update();
    GetFPSTimer()->SetFPS(0);
    GetGameFrame()->Quit();
    return lpSecondary != nullptr && GetDisplayDriverArgument() != nullptr && EVENT_INIT;
}" VORN_SAMPLE_SDK_READY)
unset(CMAKE_REQUIRED_INCLUDES)
unset(CMAKE_REQUIRED_QUIET)
unset(CMAKE_TRY_COMPILE_TARGET_TYPE)

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
