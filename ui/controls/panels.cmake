# The busy animation, the loading-picture stepping and the hyperlinks:
# portable stepping and colour parsing everywhere, the windows in Windows trees.
add_library(cardivane_panels_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/anchor_color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_frame_step.cpp)
add_library(cardivane::panels_logic ALIAS cardivane_panels_logic)
