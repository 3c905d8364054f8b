#include "ui/controls/my_hyperlink.h"

#include "app/web_links.h"
#include "ui/controls/shell_open.h"

namespace cdv {

// The stored address is only the tooltip's text here.
void CMyHyperLink::Navigate() { OpenInShell(web::kGuidePage); }

}  // namespace cdv
