# The check-box list with its header and the skinned tree: portable layout
# and ordering logic everywhere, the controls themselves in Windows trees.
add_library(cardivane_listtree_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/row_sort_ranks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_row_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_item_layout.cpp)
add_library(cardivane::listtree_layout ALIAS cardivane_listtree_layout)
target_link_libraries(cardivane_listtree_layout PUBLIC cardivane::ui_geometry)

if(CARDIVANE_WINDOWS)
  add_library(cardivane_listtree STATIC
    ${CMAKE_CURRENT_LIST_DIR}/header_ctrl_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/list_view_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/listtree_skin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tree_view_ex.cpp)
  target_link_libraries(cardivane_listtree PUBLIC
    cardivane_listtree_layout cardivane_skin cardivane::framework tallowkit comctl32)
  add_library(cardivane::listtree ALIAS cardivane_listtree)
endif()
