# The contact card and the about box: portable layout, wrapping and scroll
# arithmetic everywhere, the dialogs in Windows trees.
add_library(cardivane_card_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/contact_card_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_wrap.cpp)
add_library(cardivane::card_layout ALIAS cardivane_card_layout)
