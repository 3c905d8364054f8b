# Skin files, strips, the font pool and the image button: portable rules
# everywhere, the Windows side in Windows trees.
add_library(cardivane_skin_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/font_key.cpp
  ${CMAKE_CURRENT_LIST_DIR}/img_button_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strip.cpp)
target_link_libraries(cardivane_skin_logic PUBLIC cardivane::ui_geometry)
add_library(cardivane::skin_logic ALIAS cardivane_skin_logic)

if(CARDIVANE_WINDOWS)
  add_library(cardivane_skin STATIC
    ${CMAKE_CURRENT_LIST_DIR}/font_pool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/img_button.cpp
    ${CMAKE_CURRENT_LIST_DIR}/product_info.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin.cpp)
  target_link_libraries(cardivane_skin PUBLIC cardivane_skin_logic cardivane::framework)
  add_library(cardivane::skin ALIAS cardivane_skin)
endif()
