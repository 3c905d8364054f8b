# The busy animation, the loading-picture stepping and the hyperlinks:
# portable stepping and colour parsing everywhere, the windows in Windows trees.
add_library(cardivane_panels_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/anchor_color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_frame_step.cpp)
add_library(cardivane::panels_logic ALIAS cardivane_panels_logic)

if(CARDIVANE_WINDOWS)
  add_library(cardivane_panels STATIC
    ${CMAKE_CURRENT_LIST_DIR}/animate_static_base.cpp
    ${CMAKE_CURRENT_LIST_DIR}/animate_img.cpp
    ${CMAKE_CURRENT_LIST_DIR}/loading_gif.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hyperlink_impl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/my_hyperlink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_open_win.cpp)
  target_link_libraries(cardivane_panels PUBLIC cardivane_panels_logic cardivane::framework shell32 comctl32 advapi32)
  add_library(cardivane::panels ALIAS cardivane_panels)
endif()
