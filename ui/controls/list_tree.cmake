# The check-box list with its header and the skinned tree: portable layout
# and ordering logic everywhere, the controls themselves in Windows trees.
add_library(cardivane_listtree_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/row_sort_ranks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_row_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_item_layout.cpp)
add_library(cardivane::listtree_layout ALIAS cardivane_listtree_layout)
