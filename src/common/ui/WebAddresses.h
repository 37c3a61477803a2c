// The maker's two web addresses, opened by the about box's links and the configuration
// program's link menu. They belong to the deployment, not to the code: the build sets them
// (CMake cache variables K2Q_HOME_PAGE_URL and K2Q_FORUM_URL), and the defaults lie under the
// reserved ".example" domain, so a build that does not set them sends nobody to a stranger's
// site.
#pragma once

#include <string_view>

namespace k2q {

std::u16string_view HomePageAddress();
std::u16string_view ForumAddress();

}  // namespace k2q
