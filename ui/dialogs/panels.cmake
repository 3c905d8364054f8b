# The contact card and the about box: portable layout, wrapping and scroll
# arithmetic everywhere, the dialogs in Windows trees.
add_library(cardivane_card_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/contact_card_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_wrap.cpp)
target_link_libraries(cardivane_card_layout PUBLIC cardivane::contacts)
add_library(cardivane::card_layout ALIAS cardivane_card_layout)

if(CARDIVANE_WINDOWS)
  add_library(cardivane_panel_dialogs STATIC
    ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/contact_info_board.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wrapped_text_gdi.cpp)
  target_link_libraries(cardivane_panel_dialogs PUBLIC
    cardivane_card_layout cardivane::panels cardivane::skin cardivane::contacts tallowkit)
  add_library(cardivane::panel_dialogs ALIAS cardivane_panel_dialogs)
endif()
