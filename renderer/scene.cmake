# The planet-over-water scene. The bounce and ripple simulations are plain C++
# (orvanth_scene_sim, driven directly by tests); orvanth_scene is the GL layer.
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

add_library(orvanth_scene_sim STATIC
  ${CMAKE_CURRENT_LIST_DIR}/planets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/water.cpp)
target_include_directories(orvanth_scene_sim PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_library(orvanth_scene STATIC ${CMAKE_CURRENT_LIST_DIR}/scene.cpp)
target_include_directories(orvanth_scene PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR})
# The texture loader may be declared after this file is read; resolve it when
# the build is generated.
target_link_libraries(orvanth_scene PUBLIC
  orvanth_scene_sim OpenGL::GL OpenGL::GLU
  $<TARGET_NAME_IF_EXISTS:orvanth_textures>
  $<TARGET_NAME_IF_EXISTS:orvanth_common>)
# errno is never read; without it the normals' square roots vectorise. The
# results are the same.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/water.cpp PROPERTIES COMPILE_OPTIONS "-fno-math-errno;-ftree-vectorize")
