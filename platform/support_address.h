// The maintainers' support address that closes several error texts of the
// three programs; one address for the whole toolkit.
#pragma once

namespace platform {

inline constexpr char kSupportAddress[] = "parvix-support@example.org";

}  // namespace platform
