#include "common/ui/WebAddresses.h"

#if !defined(K2Q_HOME_PAGE_URL) || !defined(K2Q_FORUM_URL)
#error \
    "The build defines the web addresses (CMake cache variables K2Q_HOME_PAGE_URL, K2Q_FORUM_URL)"
#endif

namespace k2q {

std::u16string_view HomePageAddress() {
    return u"" K2Q_HOME_PAGE_URL;
}

std::u16string_view ForumAddress() {
    return u"" K2Q_FORUM_URL;
}

}  // namespace k2q
