# The skinned message box: portable layout everywhere, the dialog in Windows trees.
add_library(cardivane_msgbox_layout STATIC ${CMAKE_CURRENT_LIST_DIR}/msg_box_layout.cpp)
target_link_libraries(cardivane_msgbox_layout PUBLIC cardivane::skin_logic)
add_library(cardivane::msgbox_layout ALIAS cardivane_msgbox_layout)

if(CARDIVANE_WINDOWS)
  add_library(cardivane_msgbox STATIC ${CMAKE_CURRENT_LIST_DIR}/msg_box.cpp)
  target_link_libraries(cardivane_msgbox PUBLIC cardivane_msgbox_layout cardivane::skin tallowkit)
  add_library(cardivane::msgbox ALIAS cardivane_msgbox)
endif()
